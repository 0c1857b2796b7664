#include "SalidaCsv.h"

#include <QSaveFile>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

QString SalidaCsv::Campo(const QString &cValor)
{
    const bool bComillas = cValor.contains(QLatin1Char(',')) || cValor.contains(QLatin1Char('"')) ||
                           cValor.contains(QLatin1Char('\n')) || cValor.contains(QLatin1Char('\r')) ||
                           cValor.trimmed() != cValor;
    if (!bComillas)
        return cValor;
    return QLatin1Char('"') + QString(cValor).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

bool SalidaCsv::PareceFormula(const QString &cTexto)
{
    if (cTexto.isEmpty())
        return false;
    const QChar c = cTexto.front();
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

QString SalidaCsv::TextoSeguro(const QString &cTexto)
{
    // What a spreadsheet would take for a formula (or a cell that starts with a control
    // character) goes in with the apostrophe that makes it show as text.
    return PareceFormula(cTexto) ? QLatin1Char('\'') + cTexto : cTexto;
}

QByteArray SalidaCsv::Bytes(const ContenidoReporte &contenido)
{
    QString cTexto;
    const auto agregaFila = [&](auto valorDe) {
        for (qsizetype i = 0; i < contenido.csv.size(); ++i) {
            if (i > 0)
                cTexto += QLatin1Char(',');
            cTexto += Campo(valorDe(contenido.csv[i]));
        }
        cTexto += QLatin1String("\r\n");
    };
    agregaFila([](const ColumnaCsv &columna) { return columna.cTitulo; });
    for (qsizetype nFila = 0; nFila < contenido.nFilas; ++nFila) {
        agregaFila([&](const ColumnaCsv &columna) {
            const ValorCelda &valor = contenido.Celda(nFila, columna.nLinea, columna.nColumna);
            switch (valor.tipo) {
            case ValorCelda::Tipo::Vacio:
                return QString();
            case ValorCelda::Tipo::Texto:
                return TextoSeguro(valor.cTexto);
            case ValorCelda::Tipo::Numero:
                // Every digit the data has, whatever the paper shows.
                return valor.numero.TextoPlano(contenido.DecimalesDeDatos(columna.nColumna, columna.nLinea));
            }
            return QString();
        });
    }
    return cTexto.toUtf8();
}

void SalidaCsv::Escribe(const ContenidoReporte &contenido, const QString &cRuta)
{
    const QByteArray bytes = Bytes(contenido);
    QSaveFile archivo(cRuta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(bytes) != bytes.size() || !archivo.flush() ||
        !archivo.commit()) // flush(): see EscritorRpt
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                           QStringLiteral("No se pudo escribir el archivo %1: %2.").arg(cRuta, archivo.errorString()));
}
