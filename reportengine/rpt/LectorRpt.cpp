#include "LectorRpt.h"

#include <QFile>
#include <QFileInfo>

#include "CodificacionCuerpo.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "EscritorRpt.h"
#include "FormatoRpt.h"
#include "LecturaBinaria.h"
#include "NombresPapel.h"
#include "NumeroDecimal.h"

namespace {

constexpr int nMaximoFormulas = 256;
constexpr int nMaximoLineasFijas = 64;
constexpr int nMaximoSegmentos = 3;
constexpr int nMaximoColumnas = 256;
constexpr int nMinimoPuntosDecimas = 40;
constexpr int nMaximoPuntosDecimas = 720;

[[noreturn]] void Truncado(const QString &cDonde)
{
    throw ErrorReporte(CodigoErrorRpt::ArchivoTruncado,
                       QStringLiteral("El archivo de reporte está incompleto: acaba %1.").arg(cDonde));
}

[[noreturn]] void Danado(const QString &cDetalle)
{
    throw ErrorReporte(CodigoErrorRpt::ArchivoDanado,
                       QStringLiteral("El archivo de reporte está dañado: %1.").arg(cDetalle));
}

// The field up to the next NUL inside the record, from nPosicion on; nPosicion ends after the NUL.
QByteArray CampoHastaNul(const QByteArray &registro, qsizetype &nPosicion, int nTabla)
{
    const qsizetype nNul = registro.indexOf('\0', nPosicion);
    if (nNul < 0)
        Danado(QStringLiteral("la tabla %1 del directorio no cabe en sus %2 bytes").arg(nTabla).arg(registro.size()));
    const QByteArray campo = registro.mid(nPosicion, nNul - nPosicion);
    nPosicion = nNul + 1;
    return campo;
}

TablaRpt LeeTabla(const QByteArray &bytes, qsizetype nInicio, int nTabla)
{
    if (bytes.size() - nInicio < EscritorRpt::nVentanaDelPuente)
        Truncado(QStringLiteral("dentro de la tabla %1 del directorio").arg(nTabla));
    const QByteArray registro = bytes.mid(nInicio, EscritorRpt::nVentanaDelPuente);
    qsizetype nPosicion = 0;
    const QByteArray controlador = CampoHastaNul(registro, nPosicion, nTabla).toLower();
    TablaRpt tabla;
    if (controlador == EscritorRpt::NombreDeControlador(TablaRpt::Tipo::Odbc))
        tabla.tipo = TablaRpt::Tipo::Odbc;
    else if (controlador == EscritorRpt::NombreDeControlador(TablaRpt::Tipo::ArchivoLocal))
        tabla.tipo = TablaRpt::Tipo::ArchivoLocal;
    else
        Danado(QStringLiteral("la tabla %1 no empieza con el nombre de un controlador").arg(nTabla));
    tabla.cOrigenDatos = QString::fromLatin1(CampoHastaNul(registro, nPosicion, nTabla));
    tabla.cUbicacion = QString::fromLatin1(CampoHastaNul(registro, nPosicion, nTabla));
    for (; nPosicion < registro.size(); ++nPosicion) {
        if (registro[nPosicion] != '\0')
            Danado(QStringLiteral("la tabla %1 del directorio no acaba en ceros").arg(nTabla));
    }
    return tabla;
}

Alineacion LeeAlineacion(LecturaBinaria &entrada)
{
    const quint8 n = entrada.Byte();
    if (n > quint8(Alineacion::Derecha))
        entrada.Falla(QStringLiteral("alineación desconocida %1").arg(n));
    return Alineacion(n);
}

LineaFija LeeLinea(LecturaBinaria &entrada)
{
    LineaFija linea;
    linea.bNegrita = entrada.Bool();
    linea.nPuntosDecimas = entrada.Entero(0, nMaximoPuntosDecimas, "el tamaño de letra de una línea");
    if (linea.nPuntosDecimas != 0 && linea.nPuntosDecimas < nMinimoPuntosDecimas)
        entrada.Falla(QStringLiteral("letra de %1 décimas de punto").arg(linea.nPuntosDecimas));
    const int nSegmentos = entrada.Cuenta(nMaximoSegmentos, "segmentos");
    for (int i = 0; i < nSegmentos; ++i) {
        SegmentoLinea segmento;
        segmento.alineacion = LeeAlineacion(entrada);
        segmento.cTexto = entrada.Texto();
        segmento.cSiVacio = entrada.Texto();
        linea.segmentos.append(segmento);
    }
    return linea;
}

QList<LineaFija> LeeLineas(LecturaBinaria &entrada)
{
    QList<LineaFija> lineas;
    const int nLineas = entrada.Cuenta(nMaximoLineasFijas, "líneas fijas");
    for (int i = 0; i < nLineas; ++i)
        lineas.append(LeeLinea(entrada));
    return lineas;
}

CeldaDiseno LeeCelda(LecturaBinaria &entrada)
{
    CeldaDiseno celda;
    const quint8 nTipo = entrada.Byte();
    if (nTipo > quint8(CeldaDiseno::Tipo::Suma))
        entrada.Falla(QStringLiteral("tipo de celda desconocido %1").arg(nTipo));
    celda.tipo = CeldaDiseno::Tipo(nTipo);
    celda.cValor = entrada.Texto();
    const quint8 nDecimales = entrada.Byte();
    celda.bDecimalesDeColumna = (nDecimales & 0x80) != 0;
    celda.nDecimales = nDecimales & 0x7F;
    if (celda.nDecimales > NumeroDecimal::nDecimalesGuardados)
        entrada.Falla(QStringLiteral("%1 decimales").arg(celda.nDecimales));
    celda.cCsv = entrada.Texto();
    return celda;
}

ColumnaDiseno LeeColumna(LecturaBinaria &entrada)
{
    ColumnaDiseno columna;
    columna.cTitulo = entrada.Texto();
    const quint8 nAncho = entrada.Byte();
    if (nAncho > quint8(ColumnaDiseno::Ancho::Resto))
        entrada.Falla(QStringLiteral("modo de ancho desconocido %1").arg(nAncho));
    columna.ancho = ColumnaDiseno::Ancho(nAncho);
    columna.nAnchoDecimasMm = entrada.Entero(0, 5000, "el ancho de una columna");
    columna.bEnSerie = entrada.Bool();
    const int nLineas = entrada.Cuenta(FormatoRpt::nMaximoLineasPorFila, "líneas de una columna");
    for (int i = 0; i < nLineas; ++i)
        columna.lineas.append(LeeCelda(entrada));
    return columna;
}

DisenoReporte LeeDiseno(const QByteArray &bytes)
{
    LecturaBinaria entrada(bytes);
    DisenoReporte diseno;
    diseno.cTitulo = entrada.Texto();
    diseno.cConsulta = entrada.Texto();
    const int nFormulas = entrada.Cuenta(nMaximoFormulas, "fórmulas");
    for (int i = 0; i < nFormulas; ++i)
        diseno.formulas.append(entrada.Texto());

    diseno.pagina.cPapel = entrada.Texto();
    if (!PapelPorNombre(diseno.pagina.cPapel))
        entrada.Falla(QStringLiteral("papel desconocido \"%1\"").arg(diseno.pagina.cPapel));
    diseno.pagina.bHorizontal = entrada.Bool();
    diseno.pagina.nMargenDecimasMm = entrada.Entero(0, 500, "el margen");
    diseno.pagina.cFuente = entrada.Texto();
    diseno.pagina.nPuntosDecimas = entrada.Entero(nMinimoPuntosDecimas, nMaximoPuntosDecimas, "el tamaño de letra");

    diseno.encabezado = LeeLineas(entrada);
    diseno.pie = LeeLineas(entrada);

    diseno.serie.nDesde = entrada.Entero(0, 999, "el primer número de la serie");
    diseno.serie.nHasta = entrada.Entero(-1, 999, "el último número de la serie");
    diseno.serie.cFormula = entrada.Texto();
    if (diseno.serie.Existe() && !diseno.serie.cFormula.contains(QLatin1Char('#')))
        entrada.Falla(QStringLiteral("la fórmula de la serie no lleva #"));

    const int nColumnas = entrada.Cuenta(nMaximoColumnas, "columnas");
    for (int i = 0; i < nColumnas; ++i)
        diseno.columnas.append(LeeColumna(entrada));

    diseno.bTotales = entrada.Bool();
    diseno.cRotuloTotales = entrada.Texto();
    if (!entrada.AlFinal())
        entrada.Falla(QStringLiteral("sobran bytes al final del diseño"));
    return diseno;
}

} // namespace

ArchivoRpt LectorRpt::LeeArchivo(const QString &cRuta)
{
    QFile archivo(cRuta);
    if (!QFileInfo::exists(cRuta))
        throw ErrorReporte(CodigoErrorRpt::ArchivoNoEncontrado,
                           QStringLiteral("No se encuentra el archivo de reporte %1.").arg(cRuta));
    if (QFileInfo(cRuta).isDir() || !archivo.open(QIODevice::ReadOnly))
        throw ErrorReporte(
            CodigoErrorRpt::ArchivoIlegible,
            QStringLiteral("No se puede leer el archivo de reporte %1: %2.").arg(cRuta, archivo.errorString()));
    const QByteArray bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        throw ErrorReporte(
            CodigoErrorRpt::ArchivoIlegible,
            QStringLiteral("No se puede leer el archivo de reporte %1: %2.").arg(cRuta, archivo.errorString()));
    return DeBytes(bytes);
}

ArchivoRpt LectorRpt::DeBytes(const QByteArray &bytes)
{
    const QByteArray firma = FormatoRpt::Firma();
    if (bytes.isEmpty())
        Truncado(QStringLiteral("antes de empezar (está vacío)"));
    if (!firma.startsWith(bytes.left(firma.size())))
        throw ErrorReporte(CodigoErrorRpt::FormatoAjeno,
                           QStringLiteral("El archivo no es un archivo de reporte de este programa."));
    if (bytes.size() < FormatoRpt::nLargoCabecera)
        Truncado(QStringLiteral("dentro de la cabecera"));

    const int nVersion = quint8(bytes[FormatoRpt::nLargoFirma]);
    if (nVersion > ArchivoRpt::nVersion)
        throw ErrorReporte(CodigoErrorRpt::VersionNoSoportada,
                           QStringLiteral("El archivo de reporte es de la versión %1 del formato y este programa lee "
                                          "hasta la versión %2.")
                               .arg(nVersion)
                               .arg(ArchivoRpt::nVersion));
    if (nVersion == 0)
        Danado(QStringLiteral("versión 0"));
    const int nTablas = quint8(bytes[FormatoRpt::nLargoFirma + 1]);
    if (nTablas > ArchivoRpt::nMaximoTablas)
        Danado(QStringLiteral("dice tener %1 tablas").arg(nTablas));

    ArchivoRpt archivo;
    qsizetype nPosicion = FormatoRpt::nLargoCabecera;
    for (int i = 1; i <= nTablas; ++i, nPosicion += EscritorRpt::nVentanaDelPuente)
        archivo.tablas.append(LeeTabla(bytes, nPosicion, i));

    const std::optional<QByteArray> cuerpo = CodificacionCuerpo::Decodifica(bytes.mid(nPosicion));
    if (!cuerpo || cuerpo->size() < 4)
        Truncado(QStringLiteral("antes del diseño"));
    LecturaBinaria largo(*cuerpo);
    const qint32 nLargoDiseno = largo.Entero();
    if (nLargoDiseno < 0)
        Danado(QStringLiteral("diseño de largo negativo"));
    const qsizetype nEsperado = 4 + qsizetype(nLargoDiseno) + FormatoRpt::nLargoHuella;
    if (cuerpo->size() < nEsperado)
        Truncado(QStringLiteral("dentro del diseño"));
    if (cuerpo->size() > nEsperado)
        Danado(QStringLiteral("sobran %1 bytes al final").arg(cuerpo->size() - nEsperado));
    const QByteArray diseno = cuerpo->mid(4, nLargoDiseno);
    if (FormatoRpt::Huella(diseno) != cuerpo->right(FormatoRpt::nLargoHuella))
        Danado(QStringLiteral("su contenido no coincide con su suma de comprobación"));
    archivo.diseno = LeeDiseno(diseno);
    return archivo;
}
