#include "TextoConexion.h"

#include <QStringList>

#include "CodigosErrorReporte.h"
#include "ControlReporte.h"

namespace {
[[noreturn]] void Falla(const QString &cDetalle)
{
    throw ErrorReporte(CodigoErrorRpt::ConexionNoValida, QStringLiteral("Texto de conexión no válido: %1.").arg(cDetalle));
}
} // namespace

TextoConexion TextoConexion::Analiza(const QString &cTexto)
{
    TextoConexion conexion;
    qsizetype i = 0;
    while (i < cTexto.size()) {
        qsizetype nFin = cTexto.indexOf(QLatin1Char(';'), i);
        if (nFin < 0)
            nFin = cTexto.size();
        const QString cPieza = cTexto.mid(i, nFin - i);
        if (cPieza.trimmed().isEmpty()) {
            i = nFin + 1;
            continue;
        }
        const qsizetype nIgual = cPieza.indexOf(QLatin1Char('='));
        if (nIgual < 0)
            Falla(QStringLiteral("\"%1\" no es clave=valor").arg(cPieza));
        const QString cClave = cPieza.left(nIgual).trimmed().toUpper();
        if (cClave == u"PWD" || cClave == u"PASSWORD") {
            QString cPassword = cTexto.mid(i + nIgual + 1);
            if (cPassword.endsWith(QLatin1Char(';')))
                cPassword.chop(1);
            conexion.cPassword = cPassword;
            break;
        }
        const QString cValor = cPieza.mid(nIgual + 1);
        if (cClave == u"SERVER")
            conexion.cServidor = cValor;
        else if (cClave == u"DB" || cClave == u"DATABASE")
            conexion.cBase = cValor;
        else if (cClave == u"UID" || cClave == u"USER")
            conexion.cUsuario = cValor;
        else
            Falla(QStringLiteral("clave desconocida \"%1\" (se aceptan SERVER, DB, UID y PWD)").arg(cClave));
        i = nFin + 1;
    }
    return conexion;
}

QString TextoConexion::ValorOdbc(const QString &cValor)
{
    // An empty value needs its braces too: the driver refuses "PWD=;".
    if (cValor.isEmpty() || cValor.contains(QLatin1Char(';')) || cValor.contains(QLatin1Char('{')) ||
        cValor.contains(QLatin1Char('}')) || cValor.contains(QLatin1Char('=')) || cValor.trimmed() != cValor)
        return QLatin1Char('{') + QString(cValor).replace(QLatin1Char('}'), QLatin1String("}}")) + QLatin1Char('}');
    return cValor;
}

QString TextoConexion::CadenaOdbc(const QString &cOrigenDatos) const
{
    QStringList partes{QStringLiteral("DSN=") + ValorOdbc(cOrigenDatos)};
    if (cServidor)
        partes.append(QStringLiteral("SERVER=") + ValorOdbc(*cServidor));
    if (cBase)
        partes.append(QStringLiteral("DATABASE=") + ValorOdbc(*cBase));
    if (cUsuario)
        partes.append(QStringLiteral("UID=") + ValorOdbc(*cUsuario));
    if (cPassword)
        partes.append(QStringLiteral("PWD=") + ValorOdbc(*cPassword));
    // No ";" at the end: the driver refuses a string that ends in "};".
    const QString cCadena = partes.join(QLatin1Char(';'));
    if (cCadena.contains(QLatin1String(".dsn"), Qt::CaseInsensitive))
        Falla(QStringLiteral("el controlador ODBC de Qt tomaría un texto con \".dsn\" por un archivo de origen de datos"));
    if (cCadena.contains(QLatin1String("SERVER="), Qt::CaseInsensitive) ||
        cCadena.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive))
        return cCadena;
    return cCadena.mid(4); // Qt puts the "DSN=" back
}
