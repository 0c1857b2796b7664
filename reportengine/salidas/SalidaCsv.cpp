#include "SalidaCsv.h"

#include <QBuffer>

#include "ArchivoDeSalida.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

namespace {

// Between the fields of a row: a comma, whatever the user's locale, so that every reader of
// CSV takes the file as it is.
constexpr char cSeparador = ',';

// Whether a field needs quotes: a comma, a quote, a line end, or blanks at its ends.
bool NecesitaComillas(QStringView valor)
{
    if (valor.isEmpty())
        return false;
    if (valor.front().isSpace() || valor.back().isSpace())
        return true;
    for (const QChar c : valor) {
        if (c == QLatin1Char(cSeparador) || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    return false;
}

void AgregaCampo(QByteArray &fila, QStringView valor)
{
    if (!NecesitaComillas(valor)) {
        fila += valor.toUtf8();
        return;
    }
    fila += '"';
    fila += valor.toUtf8().replace('"', "\"\"");
    fila += '"';
}

constexpr qsizetype nTamanoDeBloque = 256 * 1024;

} // namespace

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

void SalidaCsv::EscribeEn(const ContenidoReporte &contenido, QIODevice &destino)
{
    // Row by row in bytes, handed on in blocks: the time grows with the rows and no more.
    QByteArray bloque;
    bloque.reserve(nTamanoDeBloque + 4096);
    const auto entrega = [&](bool bAunque) {
        if ((bAunque || bloque.size() >= nTamanoDeBloque) && !bloque.isEmpty()) {
            if (destino.write(bloque) != bloque.size())
                throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                                   QStringLiteral("No se pudo escribir el CSV: %1.").arg(destino.errorString()));
            bloque.clear();
        }
    };
    for (qsizetype i = 0; i < contenido.csv.size(); ++i) {
        if (i > 0)
            bloque += cSeparador;
        AgregaCampo(bloque, contenido.csv[i].cTitulo);
    }
    bloque += "\r\n";
    // Every decimal the data has, whatever the paper shows.
    QList<int> escalas;
    for (const ColumnaCsv &columna : contenido.csv)
        escalas.append(contenido.DecimalesDeDatos(columna.nColumna, columna.nLinea));
    for (qsizetype nFila = 0; nFila < contenido.nFilas; ++nFila) {
        for (qsizetype i = 0; i < contenido.csv.size(); ++i) {
            if (i > 0)
                bloque += cSeparador;
            const ValorCelda &valor = contenido.Celda(nFila, contenido.csv[i].nLinea, contenido.csv[i].nColumna);
            switch (valor.tipo) {
            case ValorCelda::Tipo::Vacio: break;
            case ValorCelda::Tipo::Texto: AgregaCampo(bloque, TextoSeguro(contenido.Texto(valor))); break;
            case ValorCelda::Tipo::Numero: valor.numero.AgregaTextoPlano(bloque, escalas[i]); break;
            }
        }
        bloque += "\r\n";
        entrega(false);
    }
    entrega(true);
}

QByteArray SalidaCsv::Bytes(const ContenidoReporte &contenido)
{
    QBuffer bufer;
    bufer.open(QIODevice::WriteOnly);
    EscribeEn(contenido, bufer);
    return bufer.data();
}

void SalidaCsv::Escribe(const ContenidoReporte &contenido, const QString &cRuta)
{
    ArchivoDeSalida archivo(cRuta);
    // Unbuffered: the rows go in blocks of their own, and a failed write is seen where it
    // happens, with its reason.
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                           QStringLiteral("No se pudo crear el archivo %1: %2.").arg(cRuta, archivo.errorString()));
    const auto noEscrito = [&] {
        return ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                            QStringLiteral("No se pudo escribir el archivo %1: %2.").arg(cRuta, archivo.Motivo()));
    };
    try {
        EscribeEn(contenido, archivo);
    } catch (const ErrorReporte &error) {
        if (error.Numero() == CodigoErrorRpt::SalidaNoEscrita)
            throw noEscrito(); // with the file's name and the system's reason
        throw;
    }
    if (!archivo.Termina())
        throw noEscrito();
}
