#include "OrigenesOdbc.h"

#include "BasesDD.h"
#include "ControladorOdbc.h"
#include "DelRegistro.h"
#include "FuentesOdbc.h"
#include "HostError.h"
#include "ObjetosPrograma.h"

namespace {

const QString cClaveOdbc = QStringLiteral("Software\\ODBC\\ODBC.INI\\");
const QString cBaseReportes = QStringLiteral("almenareportes");

QString NombreFuente(int nIndice)
{
    return nIndice == 0 ? QStringLiteral("myodbc3-test") : QStringLiteral("Almena Reportes");
}

struct NombresOdbc
{
    QString cLargo;
    QString cCorto;
};

NombresOdbc NombresDe(const QString &cNombreMinusculas)
{
    if (cNombreMinusculas == u"servidor")
        return {QStringLiteral("Server"), QStringLiteral("Server")};
    if (cNombreMinusculas == u"contraseña")
        return {QStringLiteral("Password"), QStringLiteral("PWD")};
    if (cNombreMinusculas == u"usuario")
        return {QStringLiteral("User"), QStringLiteral("UID")};
    if (cNombreMinusculas == u"puerto")
        return {QStringLiteral("Port"), QStringLiteral("Port")};
    if (cNombreMinusculas == u"basededatos")
        return {QStringLiteral("Database"), QStringLiteral("Database")};
    // Without a name the value would land under an empty key of the data source.
    throw HostError(CodigoErrorHost::ArgumentoNoValido,
                    QStringLiteral("No hay valor de origen de datos ODBC llamado «%1»").arg(cNombreMinusculas));
}

void Graba(DelRegistro &registro, const QString &cNombreMinusculas, const QString &cNombreOdbc, QString cValor,
           int nIndice)
{
    const QString cFuente = NombreFuente(nIndice);
    if (nIndice != 0 && cNombreMinusculas == u"basededatos")
        cValor = cBaseReportes; // the report data source always reads the report database
    // The data-source file holds one value per line: a line break would cut the value and
    // turn the rest into settings of their own.
    if (cValor.contains(QLatin1Char('\n')) || cValor.contains(QLatin1Char('\r')))
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("El valor %1 del origen de datos ODBC %2 tiene un salto de línea")
                            .arg(cNombreOdbc, cFuente));
    registro.GrabarCadena(cClaveOdbc + cFuente, cNombreOdbc, cValor);
}

} // namespace

void GrabaValorODBC(DelRegistro &registro, const QString &cNombre, const QString &cValor, int nIndice)
{
    const QString cNombreMinusculas = cNombre.toLower();
    const NombresOdbc nombres = NombresDe(cNombreMinusculas);
    Graba(registro, cNombreMinusculas, nombres.cLargo, cValor, nIndice);
    // Server, port and database have one name only and are simply written twice.
    Graba(registro, cNombreMinusculas, nombres.cCorto, cValor, nIndice);
}

void AseguraOrigenesODBC()
{
    QString cControlador;
    for (int nIndice = 0; nIndice <= 1; ++nIndice) {
        const QString cFuente = NombreFuente(nIndice);
        if (!FuentesOdbc::Lee(cFuente, QStringLiteral("Driver")).trimmed().isEmpty())
            continue;
        if (cControlador.isEmpty())
            cControlador = ControladorOdbc::MariaDB();
        FuentesOdbc::Escribe(cFuente, QStringLiteral("Driver"), cControlador);
        if (FuentesOdbc::Lee(cFuente, QStringLiteral("Description")).isEmpty())
            FuentesOdbc::Escribe(cFuente, QStringLiteral("Description"),
                                 nIndice == 0 ? QStringLiteral("Base principal de Almena para informe-mensual")
                                              : QStringLiteral("Base de reportes de Almena para informe-mensual"));
    }
}

void ActualizaODBC(const ObjetosPrograma &objetos)
{
    const Cifrado &cifrado = objetos.Bases().cifrado;
    const QString cTls = cifrado.bTls ? QStringLiteral("1") : QStringLiteral("0");
    for (int nIndice = 0; nIndice <= 1; ++nIndice) {
        // Each value is read afresh from the host, right before it is written.
        GrabaValorODBC(objetos.Registro(), QStringLiteral("Servidor"), objetos.Bases().cRuta, nIndice);
        GrabaValorODBC(objetos.Registro(), QStringLiteral("Contraseña"), objetos.Bases().cPassword, nIndice);
        GrabaValorODBC(objetos.Registro(), QStringLiteral("Usuario"), objetos.Bases().cUsuario, nIndice);
        GrabaValorODBC(objetos.Registro(), QStringLiteral("Puerto"), objetos.Bases().cPuerto, nIndice);
        GrabaValorODBC(objetos.Registro(), QStringLiteral("BaseDeDatos"), objetos.Bases().cMiBase, nIndice);
        // The MariaDB driver's TLS keywords, from the settings file: FORCETLS refuses a
        // connection without TLS, SSLVERIFY checks the server's certificate against SSLCA and
        // its name against the server's. Written also without TLS, so that no earlier value of
        // the file stays in force.
        for (const auto &[cClave, cValor] :
             {std::pair{QStringLiteral("FORCETLS"), cTls}, std::pair{QStringLiteral("SSLVERIFY"), cTls},
              std::pair{QStringLiteral("SSLCA"), cifrado.cCA}})
            Graba(objetos.Registro(), cClave.toLower(), cClave, cValor, nIndice);
    }
}
