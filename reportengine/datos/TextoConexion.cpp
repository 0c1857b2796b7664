#include "TextoConexion.h"

#include <QStringList>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

namespace {
[[noreturn]] void Falla(const QString &cDetalle)
{
    throw ErrorReporte(CodigoErrorRpt::ConexionNoValida,
                       QStringLiteral("Texto de conexión no válido: %1.").arg(cDetalle));
}
} // namespace

TextoConexion TextoConexion::Analiza(const QString &cTexto)
{
    TextoConexion conexion;
    qsizetype i = 0;
    while (i < cTexto.size()) {
        const qsizetype nIgual = cTexto.indexOf(QLatin1Char('='), i);
        const qsizetype nPuntoYComa = cTexto.indexOf(QLatin1Char(';'), i);
        if (nIgual < 0 || (nPuntoYComa >= 0 && nPuntoYComa < nIgual)) {
            const QString cPieza = cTexto.mid(i, nPuntoYComa < 0 ? -1 : nPuntoYComa - i);
            if (!cPieza.trimmed().isEmpty())
                Falla(QStringLiteral("\"%1\" no es clave=valor").arg(cPieza));
            if (nPuntoYComa < 0)
                break;
            i = nPuntoYComa + 1;
            continue;
        }
        const QString cClave = cTexto.mid(i, nIgual - i).trimmed().toUpper();
        QString cValor;
        qsizetype nSiguiente;
        if (cTexto.mid(nIgual + 1, 1) == QLatin1String("{")) {
            // A value in braces, as ODBC writes one that holds ";" or braces: "}}" is one "}".
            qsizetype j = nIgual + 2;
            bool bCerrado = false;
            for (; j < cTexto.size(); ++j) {
                if (cTexto.at(j) == QLatin1Char('}')) {
                    if (j + 1 < cTexto.size() && cTexto.at(j + 1) == QLatin1Char('}')) {
                        cValor += QLatin1Char('}');
                        ++j;
                        continue;
                    }
                    bCerrado = true;
                    break;
                }
                cValor += cTexto.at(j);
            }
            if (!bCerrado)
                Falla(QStringLiteral("falta la llave que cierra el valor de %1").arg(cClave));
            nSiguiente = cTexto.indexOf(QLatin1Char(';'), j + 1);
            if (!cTexto.mid(j + 1, nSiguiente < 0 ? -1 : nSiguiente - j - 1).trimmed().isEmpty())
                Falla(QStringLiteral("texto después de la llave que cierra el valor de %1").arg(cClave));
        } else if (cClave == u"PWD" || cClave == u"PASSWORD") {
            // An unquoted password is the rest of the text: it may hold ";" of its own.
            cValor = cTexto.mid(nIgual + 1);
            if (cValor.endsWith(QLatin1Char(';')))
                cValor.chop(1);
            nSiguiente = -1;
        } else {
            nSiguiente = nPuntoYComa;
            cValor = cTexto.mid(nIgual + 1, nSiguiente < 0 ? -1 : nSiguiente - nIgual - 1);
        }
        if (cClave == u"SERVER")
            conexion.cServidor = cValor;
        else if (cClave == u"DB" || cClave == u"DATABASE")
            conexion.cBase = cValor;
        else if (cClave == u"UID" || cClave == u"USER")
            conexion.cUsuario = cValor;
        else if (cClave == u"PWD" || cClave == u"PASSWORD")
            conexion.cPassword = cValor;
        else
            Falla(QStringLiteral("clave desconocida \"%1\" (se aceptan SERVER, DB, UID y PWD)").arg(cClave));
        if (nSiguiente < 0)
            break;
        i = nSiguiente + 1;
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

QString TextoConexion::CadenaOdbc(const QString &cOrigenDatos, int nSegundosConexion, int nSegundosRespuesta) const
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
    if (nSegundosConexion > 0)
        partes.append(QStringLiteral("CONN_TIMEOUT=%1").arg(nSegundosConexion));
    if (nSegundosRespuesta > 0)
        partes.append(QStringLiteral("READ_TIMEOUT=%1;WRITE_TIMEOUT=%1").arg(nSegundosRespuesta));
    // No ";" at the end: the driver refuses a string that ends in "};".
    return partes.join(QLatin1Char(';'));
}
