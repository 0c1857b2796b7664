#include "CompiladorRpt.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "EscritorRpt.h"
#include "FormatoRpt.h"
#include "NombresPapel.h"
#include "NumeroDecimal.h"
#include "PlantillaTexto.h"

namespace {

bool EsNombre(const QString &cNombre, bool bAceptaNumeral)
{
    static const QRegularExpression nombre(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    static const QRegularExpression nombreConNumeral(QStringLiteral("^[A-Za-z_#][A-Za-z0-9_#]*$"));
    return (bAceptaNumeral ? nombreConNumeral : nombre).match(cNombre).hasMatch();
}

} // namespace

void CompiladorRpt::FallaEn(int nLinea, const QString &cDetalle)
{
    throw ErrorReporte(CodigoErrorRpt::DefinicionNoValida, QStringLiteral("Línea %1: %2.").arg(nLinea).arg(cDetalle));
}

QList<CompiladorRpt::Palabra> CompiladorRpt::Corta(const QString &cLinea) const
{
    QList<Palabra> palabras;
    qsizetype i = 0;
    while (i < cLinea.size()) {
        if (cLinea[i].isSpace()) {
            ++i;
            continue;
        }
        Palabra palabra;
        if (cLinea[i] == u'"') {
            palabra.bEntreComillas = true;
            ++i;
            bool bCerrada = false;
            while (i < cLinea.size()) {
                const QChar c = cLinea[i++];
                if (c == u'"') {
                    bCerrada = true;
                    break;
                }
                if (c == u'\\') {
                    if (i == cLinea.size() || (cLinea[i] != u'"' && cLinea[i] != u'\\'))
                        Falla(QStringLiteral("dentro de un texto, \\ solo puede ir antes de \" o de \\"));
                    palabra.cTexto += cLinea[i++];
                    continue;
                }
                palabra.cTexto += c;
            }
            if (!bCerrada)
                Falla(QStringLiteral("falta cerrar las comillas"));
            if (i < cLinea.size() && !cLinea[i].isSpace())
                Falla(QStringLiteral("falta un espacio después de las comillas"));
        } else {
            while (i < cLinea.size() && !cLinea[i].isSpace()) {
                if (cLinea[i] == u'"')
                    Falla(QStringLiteral("comillas en medio de una palabra"));
                palabra.cTexto += cLinea[i++];
            }
        }
        palabras.append(palabra);
    }
    return palabras;
}

QString CompiladorRpt::Siguiente(const QString &cQueSeEspera)
{
    if (!HayMas())
        Falla(QStringLiteral("falta %1").arg(cQueSeEspera));
    return m_palabras[m_nPalabra++].cTexto;
}

QString CompiladorRpt::SiguienteTexto(const QString &cQueSeEspera)
{
    if (!HayMas() || !m_palabras[m_nPalabra].bEntreComillas)
        Falla(QStringLiteral("falta %1 entre comillas").arg(cQueSeEspera));
    return m_palabras[m_nPalabra++].cTexto;
}

int CompiladorRpt::SiguienteEntero(const QString &cQueSeEspera, int nMinimo, int nMaximo)
{
    const QString cPalabra = Siguiente(cQueSeEspera);
    bool bBien = false;
    const int n = cPalabra.toInt(&bBien);
    if (!bBien || n < nMinimo || n > nMaximo)
        Falla(QStringLiteral("%1 debe ser un número entero de %2 a %3, no \"%4\"")
                  .arg(cQueSeEspera)
                  .arg(nMinimo)
                  .arg(nMaximo)
                  .arg(cPalabra));
    return n;
}

// A number with at most one decimal, as tenths: "7.5" gives 75.
int CompiladorRpt::SiguienteDecimas(const QString &cQueSeEspera, int nMinimo, int nMaximo)
{
    static const QRegularExpression decimas(QStringLiteral("^([0-9]{1,4})(?:\\.([0-9]))?$"));
    const QString cPalabra = Siguiente(cQueSeEspera);
    const QRegularExpressionMatch coincide = decimas.match(cPalabra);
    const int n = coincide.hasMatch() ? coincide.captured(1).toInt() * 10 + coincide.captured(2).toInt() : -1;
    if (n < nMinimo || n > nMaximo)
        Falla(QStringLiteral("%1 debe ser un número de %2 a %3 (con un decimal a lo más), no \"%4\"")
                  .arg(cQueSeEspera)
                  .arg(nMinimo / 10.0)
                  .arg(nMaximo / 10.0)
                  .arg(cPalabra));
    return n;
}

void CompiladorRpt::SinMas()
{
    if (HayMas())
        Falla(QStringLiteral("sobra \"%1\"").arg(m_palabras[m_nPalabra].cTexto));
}

ArchivoRpt CompiladorRpt::CompilaTexto(const QString &cDefinicion)
{
    const QStringList lineas = cDefinicion.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        m_nLinea = int(i + 1);
        QString cLinea = lineas[i];
        if (cLinea.endsWith(u'\r'))
            cLinea.chop(1);
        if (m_bloque == Bloque::Consulta) {
            if (cLinea.trimmed() == u"fin") {
                m_archivo.diseno.cConsulta = m_lineasConsulta.join(QLatin1Char('\n')).trimmed();
                m_bloque = Bloque::Ninguno;
            } else {
                m_lineasConsulta.append(cLinea);
            }
            continue;
        }
        if (cLinea.trimmed().isEmpty() || cLinea.trimmed().startsWith(u'#'))
            continue;
        m_palabras = Corta(cLinea);
        m_nPalabra = 0;
        if (m_bloque == Bloque::Columna)
            InstruccionDeColumna(m_palabras);
        else
            Instruccion(m_palabras);
    }
    m_nLinea = int(lineas.size());
    switch (m_bloque) {
    case Bloque::Consulta: FallaEn(m_nLineaConsulta, QStringLiteral("la consulta no termina con una línea \"fin\""));
    case Bloque::Columna: FallaEn(m_nLineaColumna, QStringLiteral("la columna no termina con \"fin\""));
    case Bloque::Serie: FallaEn(m_nLineaSerie, QStringLiteral("la serie no termina con \"fin\""));
    case Bloque::Ninguno: break;
    }
    VerificaTodo();
    return m_archivo;
}

void CompiladorRpt::Instruccion(const QList<Palabra> &palabras)
{
    const QString cInstruccion = palabras.first().bEntreComillas ? QString() : palabras.first().cTexto;
    m_nPalabra = 1;
    if (m_bloque == Bloque::Serie && cInstruccion != u"columna" && cInstruccion != u"fin")
        Falla(QStringLiteral("dentro de una serie solo van columnas y su \"fin\""));
    if (cInstruccion == u"reporte")
        Reporte();
    else if (cInstruccion == u"tabla")
        Tabla();
    else if (cInstruccion == u"formula")
        Formulas();
    else if (cInstruccion == u"consulta") {
        SinMas();
        if (m_bHayConsulta)
            Falla(QStringLiteral("el reporte ya tiene su consulta"));
        m_bHayConsulta = true;
        m_nLineaConsulta = m_nLinea;
        m_bloque = Bloque::Consulta;
    } else if (cInstruccion == u"pagina")
        Pagina();
    else if (cInstruccion == u"encabezado")
        m_archivo.diseno.encabezado.append(LineaFijaDeInstruccion());
    else if (cInstruccion == u"pie")
        m_archivo.diseno.pie.append(LineaFijaDeInstruccion());
    else if (cInstruccion == u"serie")
        Serie();
    else if (cInstruccion == u"columna")
        Columna();
    else if (cInstruccion == u"totales")
        Totales();
    else if (cInstruccion == u"fin")
        Cierra();
    else
        Falla(QStringLiteral("instrucción desconocida \"%1\"").arg(palabras.first().cTexto));
}

void CompiladorRpt::Reporte()
{
    if (m_bHayReporte)
        Falla(QStringLiteral("el reporte ya tiene título"));
    m_archivo.diseno.cTitulo = SiguienteTexto(QStringLiteral("el título del reporte"));
    SinMas();
    m_bHayReporte = true;
    Verifica(m_archivo.diseno.cTitulo);
}

void CompiladorRpt::Tabla()
{
    const int nEsperado = int(m_archivo.tablas.size()) + 1;
    const int nTabla = SiguienteEntero(QStringLiteral("el número de la tabla"), 1, ArchivoRpt::nMaximoTablas);
    if (nTabla != nEsperado)
        Falla(QStringLiteral("se esperaba la tabla %1").arg(nEsperado));
    TablaRpt tabla;
    const QString cTipo = Siguiente(QStringLiteral("el tipo de la tabla (odbc o archivo)"));
    if (cTipo == u"odbc")
        tabla.tipo = TablaRpt::Tipo::Odbc;
    else if (cTipo == u"archivo")
        tabla.tipo = TablaRpt::Tipo::ArchivoLocal;
    else
        Falla(QStringLiteral("tipo de tabla desconocido \"%1\" (odbc o archivo)").arg(cTipo));
    tabla.cOrigenDatos = SiguienteTexto(QStringLiteral("el origen de datos"));
    tabla.cUbicacion = Siguiente(QStringLiteral("la ubicación base.tabla"));
    SinMas();
    const QString cProblema = EscritorRpt::ProblemaDeTabla(tabla);
    if (!cProblema.isEmpty())
        Falla(cProblema);
    m_archivo.tablas.append(tabla);
}

void CompiladorRpt::Formulas()
{
    if (!HayMas())
        Falla(QStringLiteral("falta el nombre de la fórmula"));
    while (HayMas()) {
        const QString cNombre = Siguiente(QString());
        if (!EsNombre(cNombre, false))
            Falla(QStringLiteral("\"%1\" no sirve como nombre de fórmula").arg(cNombre));
        if (m_archivo.diseno.formulas.contains(cNombre, Qt::CaseInsensitive))
            Falla(QStringLiteral("la fórmula %1 ya existe").arg(cNombre));
        m_archivo.diseno.formulas.append(cNombre);
    }
}

void CompiladorRpt::Pagina()
{
    PaginaDiseno &pagina = m_archivo.diseno.pagina;
    pagina.cPapel = Siguiente(QStringLiteral("el papel"));
    if (!PapelPorNombre(pagina.cPapel))
        Falla(QStringLiteral("papel desconocido \"%1\" (A3, A4, A5, Carta u Oficio)").arg(pagina.cPapel));
    const QString cOrientacion = Siguiente(QStringLiteral("la orientación (horizontal o vertical)"));
    if (cOrientacion != u"horizontal" && cOrientacion != u"vertical")
        Falla(QStringLiteral("orientación desconocida \"%1\"").arg(cOrientacion));
    pagina.bHorizontal = cOrientacion == u"horizontal";
    while (HayMas()) {
        const QString cOpcion = Siguiente(QString());
        if (cOpcion == u"margen")
            pagina.nMargenDecimasMm = SiguienteDecimas(QStringLiteral("el margen en milímetros"), 0, 500);
        else if (cOpcion == u"fuente")
            pagina.cFuente = SiguienteTexto(QStringLiteral("el nombre de la fuente"));
        else if (cOpcion == u"puntos")
            pagina.nPuntosDecimas = SiguienteDecimas(QStringLiteral("el tamaño de letra"), 40, 720);
        else
            Falla(QStringLiteral("opción de página desconocida \"%1\"").arg(cOpcion));
    }
}

LineaFija CompiladorRpt::LineaFijaDeInstruccion()
{
    LineaFija linea;
    while (HayMas()) {
        const QString cPalabra = Siguiente(QString());
        if (cPalabra == u"negrita") {
            linea.bNegrita = true;
        } else if (cPalabra == u"puntos") {
            linea.nPuntosDecimas = SiguienteDecimas(QStringLiteral("el tamaño de letra"), 40, 720);
        } else if (cPalabra == u"izquierda" || cPalabra == u"centro" || cPalabra == u"derecha") {
            SegmentoLinea segmento;
            segmento.alineacion = cPalabra == u"izquierda" ? Alineacion::Izquierda
                                  : cPalabra == u"centro"  ? Alineacion::Centro
                                                           : Alineacion::Derecha;
            for (const SegmentoLinea &otro : std::as_const(linea.segmentos)) {
                if (otro.alineacion == segmento.alineacion)
                    Falla(QStringLiteral("la línea ya tiene un texto a la %1").arg(cPalabra));
            }
            segmento.cTexto = SiguienteTexto(QStringLiteral("el texto"));
            if (HayMas() && m_palabras[m_nPalabra].cTexto == u"vacio" && !m_palabras[m_nPalabra].bEntreComillas) {
                ++m_nPalabra;
                segmento.cSiVacio = SiguienteTexto(QStringLiteral("el texto para cuando los campos salen vacíos"));
            }
            Verifica(segmento.cTexto, true);
            Verifica(segmento.cSiVacio, true);
            linea.segmentos.append(segmento);
        } else {
            Falla(QStringLiteral("se esperaba izquierda, centro, derecha, negrita o puntos, no \"%1\"").arg(cPalabra));
        }
    }
    if (linea.segmentos.isEmpty())
        Falla(QStringLiteral("la línea no tiene texto"));
    return linea;
}

void CompiladorRpt::Serie()
{
    if (m_bHubeSerie)
        Falla(QStringLiteral("un reporte tiene una serie a lo más"));
    SerieDiseno &serie = m_archivo.diseno.serie;
    serie.nDesde = SiguienteEntero(QStringLiteral("el primer número de la serie"), 0, 999);
    if (Siguiente(QStringLiteral("\"a\"")) != u"a")
        Falla(QStringLiteral("se esperaba \"a\" entre los números de la serie"));
    serie.nHasta = SiguienteEntero(QStringLiteral("el último número de la serie"), serie.nDesde, 999);
    if (Siguiente(QStringLiteral("\"si\"")) != u"si")
        Falla(QStringLiteral("se esperaba \"si\" y la fórmula de la serie"));
    serie.cFormula = Siguiente(QStringLiteral("la fórmula de la serie"));
    SinMas();
    if (!serie.cFormula.contains(u'#') || !EsNombre(FormulaDeSerie(serie.nDesde), false))
        Falla(QStringLiteral("la fórmula de la serie debe ser un nombre con #, como Mes#"));
    for (int n = serie.nDesde; n <= serie.nHasta; ++n) {
        if (m_archivo.diseno.formulas.contains(FormulaDeSerie(n), Qt::CaseInsensitive))
            Falla(QStringLiteral("la fórmula %1 ya existe").arg(FormulaDeSerie(n)));
        m_archivo.diseno.formulas.append(FormulaDeSerie(n));
    }
    m_bHubeSerie = true;
    m_bEnSerie = true;
    m_nColumnasEnSerie = 0;
    m_nLineaSerie = m_nLinea;
    m_bloque = Bloque::Serie;
}

void CompiladorRpt::Columna()
{
    ColumnaDiseno columna;
    columna.cTitulo = SiguienteTexto(QStringLiteral("el título de la columna"));
    const QString cAncho = Siguiente(QStringLiteral("el ancho (auto, resto o milímetros)"));
    if (cAncho == u"auto") {
        columna.ancho = ColumnaDiseno::Ancho::Automatico;
    } else if (cAncho == u"resto") {
        columna.ancho = ColumnaDiseno::Ancho::Resto;
        if (HayMas())
            columna.nAnchoDecimasMm = SiguienteDecimas(QStringLiteral("el ancho mínimo en milímetros"), 0, 5000);
    } else {
        --m_nPalabra;
        columna.ancho = ColumnaDiseno::Ancho::Fijo;
        columna.nAnchoDecimasMm = SiguienteDecimas(QStringLiteral("el ancho en milímetros"), 10, 5000);
    }
    SinMas();
    columna.bEnSerie = m_bEnSerie;
    Verifica(columna.cTitulo);
    m_archivo.diseno.columnas.append(columna);
    m_nLineaColumna = m_nLinea;
    m_bloque = Bloque::Columna;
}

void CompiladorRpt::InstruccionDeColumna(const QList<Palabra> &palabras)
{
    const QString cInstruccion = palabras.first().bEntreComillas ? QString() : palabras.first().cTexto;
    m_nPalabra = 1;
    ColumnaDiseno &columna = m_archivo.diseno.columnas.last();
    if (cInstruccion == u"fin") {
        SinMas();
        if (columna.lineas.isEmpty())
            Falla(QStringLiteral("la columna no tiene ninguna línea"));
        if (m_bEnSerie)
            ++m_nColumnasEnSerie;
        m_bloque = m_bEnSerie ? Bloque::Serie : Bloque::Ninguno;
        return;
    }
    if (columna.lineas.size() == FormatoRpt::nMaximoLineasPorFila)
        Falla(QStringLiteral("una columna tiene %1 líneas a lo más").arg(FormatoRpt::nMaximoLineasPorFila));
    CeldaDiseno celda;
    if (cInstruccion == u"texto") {
        celda.tipo = CeldaDiseno::Tipo::Texto;
        celda.cValor = SiguienteTexto(QStringLiteral("la plantilla del texto"));
        Verifica(celda.cValor, false, true);
    } else if (cInstruccion == u"rotulo") {
        celda.tipo = CeldaDiseno::Tipo::Rotulo;
        celda.cValor = SiguienteTexto(QStringLiteral("el rótulo"));
    } else if (cInstruccion == u"numero" || cInstruccion == u"suma") {
        const bool bSuma = cInstruccion == u"suma";
        celda.tipo = bSuma ? CeldaDiseno::Tipo::Suma : CeldaDiseno::Tipo::Numero;
        celda.cValor = Siguiente(QStringLiteral("el campo"));
        if (!EsNombre(celda.cValor, m_bEnSerie || bSuma))
            Falla(QStringLiteral("\"%1\" no sirve como nombre de campo").arg(celda.cValor));
        if (bSuma) {
            if (m_bEnSerie)
                Falla(QStringLiteral("una suma de la serie va en una columna fuera de ella"));
            if (!celda.cValor.contains(u'#'))
                Falla(QStringLiteral("el campo de una suma lleva # en lugar del número de la serie"));
            m_sumas.append({m_nLinea, celda.cValor});
        }
        if (HayMas() && m_palabras[m_nPalabra].cTexto == u"decimales" && !m_palabras[m_nPalabra].bEntreComillas) {
            ++m_nPalabra;
            if (HayMas() && m_palabras[m_nPalabra].cTexto == u"hasta" && !m_palabras[m_nPalabra].bEntreComillas) {
                ++m_nPalabra;
                celda.bDecimalesDeColumna = true;
            }
            celda.nDecimales =
                SiguienteEntero(QStringLiteral("el número de decimales"), 0, NumeroDecimal::nDecimalesGuardados);
        }
    } else if (cInstruccion == u"vacia") {
        celda.tipo = CeldaDiseno::Tipo::Vacia;
    } else {
        Falla(QStringLiteral("se esperaba texto, rotulo, numero, suma, vacia o fin, no \"%1\"")
                  .arg(palabras.first().cTexto));
    }
    if (HayMas() && m_palabras[m_nPalabra].cTexto == u"csv" && !m_palabras[m_nPalabra].bEntreComillas) {
        if (celda.tipo == CeldaDiseno::Tipo::Vacia || celda.tipo == CeldaDiseno::Tipo::Rotulo)
            Falla(QStringLiteral("una línea vacía o un rótulo no van al CSV"));
        ++m_nPalabra;
        celda.cCsv = SiguienteTexto(QStringLiteral("el título de la columna del CSV"));
        Verifica(celda.cCsv);
    }
    SinMas();
    columna.lineas.append(celda);
}

void CompiladorRpt::Totales()
{
    if (m_archivo.diseno.bTotales)
        Falla(QStringLiteral("el reporte ya tiene su fila de totales"));
    m_archivo.diseno.bTotales = true;
    m_archivo.diseno.cRotuloTotales = SiguienteTexto(QStringLiteral("el rótulo de los totales"));
    SinMas();
    Verifica(m_archivo.diseno.cRotuloTotales);
}

void CompiladorRpt::Cierra()
{
    SinMas();
    if (m_bloque != Bloque::Serie)
        Falla(QStringLiteral("\"fin\" sin consulta, serie ni columna abierta"));
    if (m_nColumnasEnSerie == 0)
        Falla(QStringLiteral("la serie no tiene columnas"));
    m_bEnSerie = false;
    m_bloque = Bloque::Ninguno;
}

void CompiladorRpt::Verifica(const QString &cTexto, bool bPorPagina, bool bAceptaCampos)
{
    m_textos.append(TextoPorVerificar{m_nLinea, cTexto, m_bEnSerie, bPorPagina, bAceptaCampos});
}

void CompiladorRpt::VerificaTodo()
{
    const DisenoReporte &diseno = m_archivo.diseno;
    if (!m_bHayReporte)
        FallaEn(1, QStringLiteral("falta la instrucción reporte con el título"));
    if (!m_bHayConsulta)
        FallaEn(1, QStringLiteral("falta la consulta"));
    if (diseno.columnas.isEmpty())
        FallaEn(1, QStringLiteral("el reporte no tiene columnas"));

    static const QRegularExpression tabla(QStringLiteral("\\{T([0-9]+)\\}"));
    for (const QRegularExpressionMatch &coincide : tabla.globalMatch(diseno.cConsulta)) {
        const int nTabla = coincide.captured(1).toInt();
        if (nTabla < 1 || nTabla > m_archivo.tablas.size())
            FallaEn(m_nLineaConsulta, QStringLiteral("la consulta nombra la tabla %1 y el reporte tiene %2")
                                          .arg(coincide.captured(0))
                                          .arg(m_archivo.tablas.size()));
    }

    for (const auto &[nLinea, cCampo] : std::as_const(m_sumas)) {
        m_nLinea = nLinea;
        if (!diseno.serie.Existe())
            Falla(QStringLiteral("una suma necesita una serie"));
    }

    for (const TextoPorVerificar &texto : std::as_const(m_textos)) {
        m_nLinea = texto.nLinea;
        QString cError;
        const std::optional<PlantillaTexto> plantilla = PlantillaTexto::Analiza(texto.cTexto, cError);
        if (!plantilla)
            Falla(QStringLiteral("en el texto \"%1\": %2").arg(texto.cTexto, cError));
        for (const PlantillaTexto::Pieza &pieza : plantilla->Piezas()) {
            QString cNombre = pieza.cTexto;
            if (texto.bEnSerie)
                cNombre.replace(u'#', QString::number(diseno.serie.nDesde));
            switch (pieza.tipo) {
            case PlantillaTexto::Pieza::Tipo::Literal: break;
            case PlantillaTexto::Pieza::Tipo::Formula:
                if (!diseno.formulas.contains(cNombre, Qt::CaseInsensitive))
                    Falla(QStringLiteral("la fórmula %1 no está declarada").arg(pieza.cTexto));
                break;
            case PlantillaTexto::Pieza::Tipo::ValorDelMotor: {
                QString cValor, cSingular, cPlural;
                if (PlantillaTexto::SeparaSustantivos(pieza.cTexto, cValor, cSingular, cPlural) &&
                    (cValor != u"Registros" || cSingular.isEmpty() || cPlural.isEmpty()))
                    Falla(QStringLiteral("{=%1}: solo {=Registros} lleva el sustantivo, singular|plural "
                                         "({=Registros cliente|clientes})")
                              .arg(pieza.cTexto));
                if (!PlantillaTexto::ValoresDelMotor().contains(cValor))
                    Falla(QStringLiteral("valor desconocido {=%1} (hay %2)")
                              .arg(pieza.cTexto, PlantillaTexto::ValoresDelMotor().join(QStringLiteral(", "))));
                if (!texto.bPorPagina && (pieza.cTexto == u"Pagina" || pieza.cTexto == u"Paginas"))
                    Falla(QStringLiteral("{=%1} solo va en el encabezado o el pie").arg(pieza.cTexto));
                break;
            }
            case PlantillaTexto::Pieza::Tipo::Campo:
                if (!texto.bAceptaCampos)
                    Falla(QStringLiteral("el campo {%1} solo va en las líneas de una columna").arg(pieza.cTexto));
                if (!EsNombre(cNombre, false))
                    Falla(QStringLiteral("\"%1\" no sirve como nombre de campo").arg(pieza.cTexto));
                break;
            }
        }
    }
}

ArchivoRpt CompiladorRpt::Compila(const QString &cDefinicion)
{
    CompiladorRpt compilador;
    return compilador.CompilaTexto(cDefinicion);
}

void CompiladorRpt::CompilaArchivo(const QString &cDefinicion, const QString &cSalida)
{
    QFile archivo(cDefinicion);
    if (!archivo.open(QIODevice::ReadOnly))
        throw ErrorReporte(
            CodigoErrorRpt::ArchivoNoEncontrado,
            QStringLiteral("No se puede leer la definición %1: %2.").arg(cDefinicion, archivo.errorString()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString cTexto = utf8(archivo.readAll());
    if (utf8.hasError())
        throw ErrorReporte(CodigoErrorRpt::DefinicionNoValida,
                           QStringLiteral("La definición %1 no está en UTF-8.").arg(cDefinicion));
    EscritorRpt::Escribe(Compila(cTexto), cSalida);
}
