#include "BasesDD.h"

#include <QRegularExpression>

#include "HostError.h"
#include "ListaDeDatos.h"

namespace {
QString TablaDeFuente(const QString &cFuente)
{
    return cFuente.trimmed().section(QRegularExpression(QStringLiteral("\\s+")), 0, 0);
}

void RequiereAbierta(const Connection &cnn)
{
    if (!cnn.EstaAbierta())
        throw HostError(CodigoErrorHost::ObjetoCerrado,
                        QStringLiteral("La conexión con la base de datos no está abierta"));
}
} // namespace

DatosConexion BasesDD::DatosDeConexion(const QString &cBase) const
{
    DatosConexion datos;
    datos.cServidor = cRuta.trimmed();
    bool bNumero = false;
    const int nPuerto = cPuerto.trimmed().toInt(&bNumero);
    datos.nPuerto = bNumero && nPuerto > 0 ? nPuerto : 3306;
    datos.cUsuario = cUsuario;
    datos.cPassword = cPassword;
    datos.cBase = cBase;
    datos.esperas = esperas;
    datos.cifrado = cifrado;
    return datos;
}

void BasesDD::AbrirBdD(Connection &cnn, const QString &cBase)
{
    cnn.Cierra();
    cnn = Connection::Abre(DatosDeConexion(cBase));
}

void BasesDD::CierraBdD(Connection &cnn)
{
    cnn.Cierra();
}

bool BasesDD::AbrirTabla(Recordset &rs, Connection &cnn, const QString &cFuente, const QString &cCampos)
{
    RequiereAbierta(cnn);
    rs.Cierra();
    const bool bAdmiteFilas = cCampos.trimmed().isEmpty();
    const QString cSql = QStringLiteral("select %1 from %2").arg(bAdmiteFilas ? QStringLiteral("*") : cCampos, cFuente);
    rs = cnn.Execute(cSql, bAdmiteFilas ? TablaDeFuente(cFuente) : QString());
    return !rs.FinDeFilas();
}

void BasesDD::CierraTabla(Recordset &rs)
{
    rs.Cierra();
}

void BasesDD::AbrirDataSource(Recordset &rs, Connection &cnn, const QString &cFuente, ListaDeDatos *pLista,
                              const QVariant &omitido, bool bSoloLectura)
{
    Q_UNUSED(omitido);
    Q_UNUSED(bSoloLectura);
    if (!pLista)
        throw HostError(CodigoErrorHost::ObjetoNoAsignado,
                        QStringLiteral("No se indicó la lista que muestra las filas"));
    RequiereAbierta(cnn);
    rs.Cierra();
    rs = cnn.Execute(QStringLiteral("select * from %1").arg(cFuente));
    pLista->LlenaCon(rs);
}

double BasesDD::Sum(Connection &cnn, QString &cFuente, const QString &cColumna)
{
    RequiereAbierta(cnn);
    Recordset rs = cnn.Execute(QStringLiteral("select sum(%1) from %2").arg(cColumna, cFuente));
    return rs.FinDeFilas() ? 0.0 : rs.Campo(0).toDouble();
}
