#pragma once

#include <QString>
#include <QVariant>

#include "Connection.h"
#include "HostObject.h"
#include "Recordset.h"

class ListaDeDatos;

// The host's database object: the connection settings and the opening and closing of
// connections and recordsets. A source is the text after "from" in a query.
class BasesDD : public HostObject
{
public:
    using HostObject::HostObject;

    QString cRuta; // MySQL server
    QString cUsuario;
    QString cPassword;
    QString cPuerto; // as the host store keeps it
    QString cMiBase; // the host's main database
    Esperas esperas; // how long a connection waits before it gives up
    Cifrado cifrado; // whether connections go encrypted (TLS)

    void AbrirBdD(Connection &cnn, const QString &cBase);
    void CierraBdD(Connection &cnn);

    // Opens "select <campos> from <fuente>" (all columns without a field list, and then the
    // recordset accepts new rows into the source's table). True when a row is current.
    bool AbrirTabla(Recordset &rs, Connection &cnn, const QString &cFuente, const QString &cCampos = {});
    void CierraTabla(Recordset &rs); // also for a recordset that was never opened

    // Opens the source's rows and shows them in the list control.
    void AbrirDataSource(Recordset &rs, Connection &cnn, const QString &cFuente, ListaDeDatos *pLista,
                         const QVariant &omitido = {}, bool bSoloLectura = true);

    // The sum of the column over the source's rows; 0 when there is none.
    double Sum(Connection &cnn, QString &cFuente, const QString &cColumna);

    DatosConexion DatosDeConexion(const QString &cBase) const;
};
