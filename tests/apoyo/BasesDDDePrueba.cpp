#include "BasesDDDePrueba.h"

BasesDDDePrueba::BasesDDDePrueba()
{
    base.CreaCatalogos();
    bases = entorno.fabrica.Crea(QStringLiteral("Orbe5.BasesDD"), entorno.Contexto());
    const DatosConexion servidor = BaseDePrueba::Servidor();
    Bases().cRuta = servidor.cServidor;
    Bases().cPuerto = QString::number(servidor.nPuerto);
    Bases().cUsuario = servidor.cUsuario;
    Bases().cPassword = servidor.cPassword;
}
