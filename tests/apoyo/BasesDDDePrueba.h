#pragma once

#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "EntornoHost.h"
#include "HostFactory.h"

class Connection;

// A BasesDD made by the host's factory, with the private server's account, over a database of
// the test's own that has the host's catalogues. Gone in the reverse order: the object, the
// host installation, then the database.
struct BasesDDDePrueba
{
    BasesDDDePrueba();

    BasesDD &Bases() { return Como<BasesDD>(bases); }
    void Abre(Connection &cnn) { Bases().AbrirBdD(cnn, base.Nombre()); }

    BaseDePrueba base;
    EntornoHost entorno;
    HostObjectPtr bases;
};
