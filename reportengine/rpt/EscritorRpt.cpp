#include "EscritorRpt.h"

#include <QCryptographicHash>
#include <QSaveFile>

#include "CodificacionCuerpo.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "EscrituraBinaria.h"
#include "FormatoRpt.h"

namespace {

void EscribeLinea(EscrituraBinaria &salida, const LineaFija &linea)
{
    salida.Byte(linea.bNegrita ? 1 : 0);
    salida.Entero(linea.nPuntosDecimas);
    salida.Entero(qint32(linea.segmentos.size()));
    for (const SegmentoLinea &segmento : linea.segmentos) {
        salida.Byte(quint8(segmento.alineacion));
        salida.Texto(segmento.cTexto);
        salida.Texto(segmento.cSiVacio);
    }
}

void EscribeLineas(EscrituraBinaria &salida, const QList<LineaFija> &lineas)
{
    salida.Entero(qint32(lineas.size()));
    for (const LineaFija &linea : lineas)
        EscribeLinea(salida, linea);
}

void EscribeColumna(EscrituraBinaria &salida, const ColumnaDiseno &columna)
{
    salida.Texto(columna.cTitulo);
    salida.Byte(quint8(columna.ancho));
    salida.Entero(columna.nAnchoDecimasMm);
    salida.Byte(columna.bEnSerie ? 1 : 0);
    salida.Entero(qint32(columna.lineas.size()));
    for (const CeldaDiseno &celda : columna.lineas) {
        salida.Byte(quint8(celda.tipo));
        salida.Texto(celda.cValor);
        // The paper's decimals, and in the high bit whether they are the column's own up to that.
        salida.Byte(quint8(celda.nDecimales | (celda.bDecimalesDeColumna ? 0x80 : 0)));
        salida.Texto(celda.cCsv);
    }
}

QByteArray BytesDelDiseno(const DisenoReporte &diseno)
{
    EscrituraBinaria salida;
    salida.Texto(diseno.cTitulo);
    salida.Texto(diseno.cConsulta);
    salida.Entero(qint32(diseno.formulas.size()));
    for (const QString &cFormula : diseno.formulas)
        salida.Texto(cFormula);

    salida.Texto(diseno.pagina.cPapel);
    salida.Byte(diseno.pagina.bHorizontal ? 1 : 0);
    salida.Entero(diseno.pagina.nMargenDecimasMm);
    salida.Texto(diseno.pagina.cFuente);
    salida.Entero(diseno.pagina.nPuntosDecimas);

    EscribeLineas(salida, diseno.encabezado);
    EscribeLineas(salida, diseno.pie);

    salida.Entero(diseno.serie.nDesde);
    salida.Entero(diseno.serie.nHasta);
    salida.Texto(diseno.serie.cFormula);

    salida.Entero(qint32(diseno.columnas.size()));
    for (const ColumnaDiseno &columna : diseno.columnas)
        EscribeColumna(salida, columna);

    salida.Byte(diseno.bTotales ? 1 : 0);
    salida.Texto(diseno.cRotuloTotales);
    return salida.Bytes();
}

} // namespace

QByteArray EscritorRpt::NombreDeControlador(TablaRpt::Tipo tipo)
{
    return tipo == TablaRpt::Tipo::ArchivoLocal ? QByteArrayLiteral("pdbdao.dll") : QByteArrayLiteral("pdsodbc.dll");
}

QString EscritorRpt::ProblemaDeTabla(const TablaRpt &tabla)
{
    const auto problemaDeCampo = [](const QString &cCampo, const QString &cQue) -> QString {
        for (const QChar c : cCampo) {
            if (c.unicode() < 0x20 || c.unicode() > 0x7E)
                return QStringLiteral("%1 \"%2\" lleva caracteres que no son ASCII imprimibles").arg(cQue, cCampo);
        }
        if (cCampo.contains(QLatin1String("pd"), Qt::CaseInsensitive))
            return QStringLiteral("%1 \"%2\" contiene las letras \"pd\", que el puente tomaría por otra tabla")
                .arg(cQue, cCampo);
        return {};
    };
    if (tabla.cOrigenDatos.isEmpty())
        return QStringLiteral("la tabla no tiene origen de datos");
    if (tabla.cUbicacion.isEmpty())
        return QStringLiteral("la tabla no tiene ubicación");
    QString cProblema = problemaDeCampo(tabla.cOrigenDatos, QStringLiteral("el origen de datos"));
    if (cProblema.isEmpty())
        cProblema = problemaDeCampo(tabla.cUbicacion, QStringLiteral("la ubicación"));
    if (!cProblema.isEmpty())
        return cProblema;
    const qsizetype nLargo =
        NombreDeControlador(tabla.tipo).size() + 1 + tabla.cOrigenDatos.size() + 1 + tabla.cUbicacion.size() + 1;
    if (nLargo > nVentanaDelPuente)
        return QStringLiteral("el registro de la tabla ocupa %1 bytes y el puente lee %2: acorte el origen de datos "
                              "o la ubicación")
            .arg(nLargo)
            .arg(nVentanaDelPuente);
    return {};
}

QByteArray EscritorRpt::Bytes(const ArchivoRpt &archivo)
{
    if (archivo.tablas.size() > ArchivoRpt::nMaximoTablas)
        throw ErrorReporte(CodigoErrorRpt::DefinicionNoValida,
                           QStringLiteral("Un reporte tiene a lo más %1 tablas.").arg(ArchivoRpt::nMaximoTablas));
    QByteArray bytes = FormatoRpt::Firma();
    bytes.append(char(ArchivoRpt::nVersion));
    bytes.append(char(archivo.tablas.size()));
    for (qsizetype i = 0; i < archivo.tablas.size(); ++i) {
        const TablaRpt &tabla = archivo.tablas[i];
        const QString cProblema = ProblemaDeTabla(tabla);
        if (!cProblema.isEmpty())
            throw ErrorReporte(CodigoErrorRpt::DefinicionNoValida,
                               QStringLiteral("Tabla %1: %2.").arg(i + 1).arg(cProblema));
        QByteArray registro = NombreDeControlador(tabla.tipo) + '\0' + tabla.cOrigenDatos.toLatin1() + '\0' +
                              tabla.cUbicacion.toLatin1() + '\0';
        registro.append(nVentanaDelPuente - registro.size(), '\0');
        bytes.append(registro);
    }

    const QByteArray diseno = BytesDelDiseno(archivo.diseno);
    EscrituraBinaria cuerpo;
    cuerpo.Entero(qint32(diseno.size()));
    QByteArray contenido = cuerpo.Bytes() + diseno + FormatoRpt::Huella(diseno);
    bytes.append(CodificacionCuerpo::Codifica(contenido));
    return bytes;
}

void EscritorRpt::Escribe(const ArchivoRpt &archivo, const QString &cRuta)
{
    const QByteArray bytes = Bytes(archivo);
    QSaveFile archivoSalida(cRuta);
    // flush() before commit(): Qt's commit would put in place a file whose last buffered write
    // failed (a full disk); a QSaveFile that is not committed is discarded.
    if (!archivoSalida.open(QIODevice::WriteOnly) || archivoSalida.write(bytes) != bytes.size() ||
        !archivoSalida.flush() || !archivoSalida.commit())
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                           QStringLiteral("No se pudo escribir el archivo de reporte %1: %2.")
                               .arg(cRuta, archivoSalida.errorString()));
}
