#include "ArmadorContenido.h"

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

// One line of one shown column, with its fields looked up in the query's result once.
struct ArmadorContenido::CeldaPreparada
{
    CeldaDiseno::Tipo tipo = CeldaDiseno::Tipo::Vacia;
    QString cRotulo;
    PlantillaTexto texto; // Texto: literals and query fields left
    QList<int> campos;    // Numero: one field; Suma: one per series number shown
    QStringList nombres;  // the fields' names, for messages
    int nEscala = -1;     // the decimals its fields declare (the largest); -1 unknown
    bool bDecimalesDeColumna = false;
};

namespace {

bool EsPaginacion(const PlantillaTexto::Pieza &pieza)
{
    return pieza.tipo == PlantillaTexto::Pieza::Tipo::ValorDelMotor &&
           (pieza.cTexto == u"Pagina" || pieza.cTexto == u"Paginas");
}

QString ConSerie(QString cTexto, int nSerie)
{
    return nSerie < 0 ? cTexto : cTexto.replace(QLatin1Char('#'), QString::number(nSerie));
}

int IndiceDeCampo(const DatosReporte &datos, const QString &cCampo)
{
    const int nIndice = datos.IndiceDe(cCampo);
    if (nIndice < 0)
        throw ErrorReporte(CodigoErrorRpt::CampoFaltante,
                           QStringLiteral("La consulta del reporte no da el campo %1.").arg(cCampo));
    return nIndice;
}

NumeroDecimal NumeroDe(QUtf8StringView valor, const QString &cCampo, qsizetype nFila, int &nDecimales)
{
    const std::optional<NumeroDecimal> numero = NumeroDecimal::DeTexto(valor, &nDecimales);
    if (!numero)
        throw ErrorReporte(CodigoErrorRpt::NumeroNoValido,
                           QStringLiteral("El campo %1 de la fila %2 vale \"%3\", que no es un número.")
                               .arg(cCampo)
                               .arg(nFila + 1)
                               .arg(valor.toString()));
    return *numero;
}

// A numeric field of the query: its index, and the decimals its column declares, which the
// report must be able to keep exactly.
int IndiceDeNumero(const DatosReporte &datos, const QString &cCampo, int &nEscala)
{
    const int nIndice = IndiceDeCampo(datos, cCampo);
    const int nDeclarada = datos.escalas.value(nIndice, -1);
    if (nDeclarada > NumeroDecimal::nDecimalesGuardados)
        throw ErrorReporte(CodigoErrorRpt::NumeroNoValido,
                           QStringLiteral("El campo %1 tiene %2 decimales; el reporte los guarda exactos hasta %3.")
                               .arg(cCampo)
                               .arg(nDeclarada)
                               .arg(NumeroDecimal::nDecimalesGuardados));
    nEscala = qMax(nEscala, nDeclarada);
    return nIndice;
}

// The numbers of one row, each field read once however many cells show it or add it up.
class NumerosDeFila
{
public:
    struct Leido
    {
        NumeroDecimal numero;
        int nDecimales = 0; // those of its text
        bool bNulo = false;
        qsizetype nFila = -1;
    };

    explicit NumerosDeFila(const DatosReporte &datos) : m_datos(datos), m_leidos(datos.campos.size()) {}

    // The field's number in the row; nullptr for SQL NULL.
    const Leido *De(qsizetype nFila, int nCampo, const QString &cNombre)
    {
        Leido &leido = m_leidos[nCampo];
        if (leido.nFila != nFila) {
            const QUtf8StringView valor = m_datos.Valor(nFila, nCampo);
            leido.bNulo = valor.isNull();
            if (!leido.bNulo)
                leido.numero = NumeroDe(valor, cNombre, nFila, leido.nDecimales);
            leido.nFila = nFila;
        }
        return leido.bNulo ? nullptr : &leido;
    }

private:
    const DatosReporte &m_datos;
    QList<Leido> m_leidos; // by field
};

void Acumula(NumeroDecimal &suma, const NumeroDecimal &numero)
{
    if (!suma.Suma(numero))
        throw ErrorReporte(CodigoErrorRpt::Desbordamiento, QStringLiteral("Una suma del reporte es demasiado grande."));
}

} // namespace

ArmadorContenido::ArmadorContenido(const DisenoReporte &diseno, const QHash<QString, QString> &formulas,
                                   const QDateTime &fechaImpresion)
    : m_diseno(diseno), m_formulas(formulas), m_fechaImpresion(fechaImpresion)
{
    for (int n = diseno.serie.nDesde; n <= diseno.serie.nHasta; ++n) {
        if (m_formulas.contains(ConSerie(diseno.serie.cFormula, n).toLower()))
            m_serieVisible.append(n);
    }
}

QString ArmadorContenido::ValorDelMotor(const QString &cNombre, qsizetype nFilas) const
{
    QString cValor, cSingular, cPlural;
    if (PlantillaTexto::SeparaSustantivos(cNombre, cValor, cSingular, cPlural)) {
        if (cValor == u"Registros" && !cSingular.isEmpty() && !cPlural.isEmpty())
            return QStringLiteral("%1 %2").arg(nFilas).arg(nFilas == 1 ? cSingular : cPlural);
        throw ErrorReporte(CodigoErrorRpt::ArchivoDanado,
                           QStringLiteral("El reporte pide el valor desconocido {=%1}.").arg(cNombre));
    }
    if (cNombre == u"Titulo")
        return m_diseno.cTitulo;
    if (cNombre == u"FechaImpresion")
        return m_fechaImpresion.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    if (cNombre == u"Registros")
        return QString::number(nFilas);
    if (cNombre == u"PrimeraSerie")
        return m_serieVisible.isEmpty() ? QString()
                                        : Formula(ConSerie(m_diseno.serie.cFormula, m_serieVisible.first()));
    if (cNombre == u"UltimaSerie")
        return m_serieVisible.isEmpty() ? QString() : Formula(ConSerie(m_diseno.serie.cFormula, m_serieVisible.last()));
    throw ErrorReporte(CodigoErrorRpt::ArchivoDanado,
                       QStringLiteral("El reporte pide el valor desconocido {=%1}.").arg(cNombre));
}

PlantillaTexto ArmadorContenido::Analiza(const QString &cTexto) const
{
    QString cError;
    std::optional<PlantillaTexto> plantilla = PlantillaTexto::Analiza(cTexto, cError);
    if (!plantilla)
        throw ErrorReporte(CodigoErrorRpt::ArchivoDanado,
                           QStringLiteral("Un texto del reporte no se entiende (\"%1\": %2).").arg(cTexto, cError));
    return *plantilla;
}

PlantillaTexto ArmadorContenido::ResuelveFijos(const QString &cTexto, qsizetype nFilas, bool bConservaCampos) const
{
    PlantillaTexto plantilla = Analiza(cTexto);
    for (PlantillaTexto::Pieza &pieza : plantilla.Piezas()) {
        if (pieza.tipo == PlantillaTexto::Pieza::Tipo::Campo && !bConservaCampos) {
            pieza.cTexto.clear(); // a query field outside the detail has no row to come from
            pieza.tipo = PlantillaTexto::Pieza::Tipo::Literal;
        } else if (pieza.tipo == PlantillaTexto::Pieza::Tipo::Formula) {
            pieza.cTexto = Formula(pieza.cTexto);
            pieza.tipo = PlantillaTexto::Pieza::Tipo::Literal;
        } else if (pieza.tipo == PlantillaTexto::Pieza::Tipo::ValorDelMotor && !EsPaginacion(pieza)) {
            pieza.cTexto = ValorDelMotor(pieza.cTexto, nFilas);
            pieza.tipo = PlantillaTexto::Pieza::Tipo::Literal;
        }
    }
    return plantilla;
}

QString ArmadorContenido::TextoFijo(const QString &cTexto, qsizetype nFilas) const
{
    return ResuelveFijos(cTexto, nFilas).Rellena([](const PlantillaTexto::Pieza &pieza) { return pieza.cTexto; });
}

LineaContenido ArmadorContenido::Linea(const LineaFija &linea, qsizetype nFilas) const
{
    LineaContenido resultado;
    resultado.bNegrita = linea.bNegrita;
    resultado.nPuntosDecimas = linea.nPuntosDecimas;
    for (const SegmentoLinea &segmento : linea.segmentos) {
        const PlantillaTexto original = Analiza(segmento.cTexto);
        PlantillaTexto texto = ResuelveFijos(segmento.cTexto, nFilas);
        // A segment whose fields all came out empty shows its alternative instead
        // ("Filtros: ninguno" rather than "Filtros: vendedor ").
        bool bAlgunValor = false;
        for (qsizetype i = 0; i < original.Piezas().size(); ++i) {
            const PlantillaTexto::Pieza &pieza = original.Piezas()[i];
            if (pieza.tipo != PlantillaTexto::Pieza::Tipo::Literal &&
                (EsPaginacion(pieza) || !texto.Piezas()[i].cTexto.isEmpty()))
                bAlgunValor = true;
        }
        if (original.TieneCampos() && !bAlgunValor)
            texto = ResuelveFijos(segmento.cSiVacio, nFilas);
        resultado.segmentos.append(SegmentoContenido{segmento.alineacion, texto});
    }
    return resultado;
}

ContenidoReporte ArmadorContenido::Arma(const DatosReporte &datos) const
{
    const qsizetype nFilas = datos.Filas();
    ContenidoReporte contenido;
    contenido.cTitulo = m_diseno.cTitulo;
    contenido.pagina = m_diseno.pagina;
    contenido.nLineasPorFila = m_diseno.LineasPorFila();
    contenido.nFilas = nFilas;
    contenido.bTotales = m_diseno.bTotales;
    for (const LineaFija &linea : m_diseno.encabezado)
        contenido.encabezado.append(Linea(linea, nFilas));
    for (const LineaFija &linea : m_diseno.pie)
        contenido.pie.append(Linea(linea, nFilas));

    // The shown columns, with their cells prepared line by line.
    QList<CeldaPreparada> preparadas; // line by line, then column by column, filled below
    QList<QList<CeldaPreparada>> porColumna;
    for (const ColumnaDiseno &columna : m_diseno.columnas) {
        const QList<int> repeticiones = columna.bEnSerie ? m_serieVisible : QList<int>{-1};
        for (const int nSerie : repeticiones) {
            ColumnaContenido mostrada;
            mostrada.cTitulo = TextoFijo(ConSerie(columna.cTitulo, nSerie), nFilas);
            mostrada.ancho = columna.ancho;
            mostrada.bEnSerie = columna.bEnSerie;
            mostrada.nAnchoDecimasMm = columna.nAnchoDecimasMm;
            QList<CeldaPreparada> celdas;
            for (int nLinea = 0; nLinea < contenido.nLineasPorFila; ++nLinea) {
                CeldaPreparada celda;
                const CeldaDiseno diseno = nLinea < columna.lineas.size() ? columna.lineas[nLinea] : CeldaDiseno();
                celda.tipo = diseno.tipo;
                celda.bDecimalesDeColumna = diseno.bDecimalesDeColumna;
                mostrada.decimalesPorLinea.append(diseno.nDecimales);
                mostrada.escalasPorLinea.append(-1);
                switch (diseno.tipo) {
                case CeldaDiseno::Tipo::Vacia: break;
                case CeldaDiseno::Tipo::Rotulo: celda.cRotulo = diseno.cValor; break;
                case CeldaDiseno::Tipo::Texto:
                    celda.texto = ResuelveFijos(ConSerie(diseno.cValor, nSerie), nFilas, true);
                    for (PlantillaTexto::Pieza &pieza : celda.texto.Piezas()) {
                        if (pieza.tipo == PlantillaTexto::Pieza::Tipo::Campo)
                            pieza.nCampo = IndiceDeCampo(datos, pieza.cTexto);
                    }
                    break;
                case CeldaDiseno::Tipo::Numero:
                    celda.nombres.append(ConSerie(diseno.cValor, nSerie));
                    celda.campos.append(IndiceDeNumero(datos, celda.nombres.last(), celda.nEscala));
                    mostrada.bNumerica = true;
                    break;
                case CeldaDiseno::Tipo::Suma:
                    for (const int n : m_serieVisible) {
                        celda.nombres.append(ConSerie(diseno.cValor, n));
                        celda.campos.append(IndiceDeNumero(datos, celda.nombres.last(), celda.nEscala));
                    }
                    // A sum over no shown number (an empty period) still has the decimals its
                    // fields declare, as the sums beside it.
                    if (m_serieVisible.isEmpty() && datos.IndiceDe(ConSerie(diseno.cValor, m_diseno.serie.nDesde)) >= 0)
                        IndiceDeNumero(datos, ConSerie(diseno.cValor, m_diseno.serie.nDesde), celda.nEscala);
                    mostrada.bNumerica = true;
                    break;
                }
                if (!diseno.cCsv.isEmpty() && diseno.tipo != CeldaDiseno::Tipo::Rotulo &&
                    diseno.tipo != CeldaDiseno::Tipo::Vacia)
                    contenido.csv.append(ColumnaCsv{TextoFijo(ConSerie(diseno.cCsv, nSerie), nFilas),
                                                    int(contenido.columnas.size()), nLinea});
                celdas.append(celda);
            }
            contenido.columnas.append(mostrada);
            porColumna.append(celdas);
        }
    }
    const int nColumnas = int(contenido.columnas.size());
    for (int nLinea = 0; nLinea < contenido.nLineasPorFila; ++nLinea) {
        for (int nColumna = 0; nColumna < nColumnas; ++nColumna)
            preparadas.append(porColumna[nColumna][nLinea]);
    }

    // Every row, and the totals of the numeric cells on the way. A number's decimals are those
    // its column declares or, where the database declares none, the most any of its values has.
    QList<NumeroDecimal> sumas(preparadas.size());
    QList<int> escalas(preparadas.size());
    for (qsizetype k = 0; k < preparadas.size(); ++k)
        escalas[k] = preparadas[k].nEscala;
    NumerosDeFila numeros(datos);
    QList<qint32> rotulos(preparadas.size(), -1); // each label's text, kept once
    for (qsizetype k = 0; k < preparadas.size(); ++k) {
        if (preparadas[k].tipo == CeldaDiseno::Tipo::Rotulo)
            rotulos[k] = contenido.AgregaTexto(preparadas[k].cRotulo);
    }
    contenido.celdas.resize(nFilas * preparadas.size());
    ValorCelda *pCelda = contenido.celdas.data();
    for (qsizetype nFila = 0; nFila < nFilas; ++nFila) {
        for (qsizetype k = 0; k < preparadas.size(); ++k, ++pCelda) {
            const CeldaPreparada &celda = preparadas[k];
            switch (celda.tipo) {
            case CeldaDiseno::Tipo::Vacia: break;
            case CeldaDiseno::Tipo::Rotulo:
                pCelda->tipo = ValorCelda::Tipo::Texto;
                pCelda->nTexto = rotulos[k];
                break;
            case CeldaDiseno::Tipo::Texto:
                pCelda->tipo = ValorCelda::Tipo::Texto;
                pCelda->nTexto = contenido.AgregaTexto(celda.texto.Rellena([&](const PlantillaTexto::Pieza &pieza) {
                    return pieza.tipo == PlantillaTexto::Pieza::Tipo::Campo
                               ? datos.Valor(nFila, pieza.nCampo).toString()
                               : pieza.cTexto;
                }));
                break;
            case CeldaDiseno::Tipo::Numero: {
                const NumerosDeFila::Leido *pLeido = numeros.De(nFila, celda.campos.first(), celda.nombres.first());
                if (!pLeido)
                    break; // SQL NULL: an empty cell that adds nothing
                pCelda->tipo = ValorCelda::Tipo::Numero;
                pCelda->numero = pLeido->numero;
                escalas[k] = qMax(escalas[k], pLeido->nDecimales);
                Acumula(sumas[k], pCelda->numero);
                break;
            }
            case CeldaDiseno::Tipo::Suma:
                pCelda->tipo = ValorCelda::Tipo::Numero;
                for (qsizetype i = 0; i < celda.campos.size(); ++i) {
                    if (const NumerosDeFila::Leido *pLeido = numeros.De(nFila, celda.campos[i], celda.nombres[i])) {
                        Acumula(pCelda->numero, pLeido->numero);
                        escalas[k] = qMax(escalas[k], pLeido->nDecimales);
                    }
                }
                Acumula(sumas[k], pCelda->numero);
                break;
            }
        }
    }

    for (int nLinea = 0; nLinea < contenido.nLineasPorFila; ++nLinea) {
        for (int nColumna = 0; nColumna < nColumnas; ++nColumna) {
            const qsizetype k = qsizetype(nLinea) * nColumnas + nColumna;
            ColumnaContenido &columna = contenido.columnas[nColumna];
            columna.escalasPorLinea[nLinea] = escalas[k];
            if (escalas[k] >= 0 && preparadas[k].bDecimalesDeColumna)
                columna.decimalesPorLinea[nLinea] = qMin(escalas[k], columna.decimalesPorLinea[nLinea]);
        }
    }

    if (contenido.bTotales) {
        contenido.totales.resize(preparadas.size());
        for (qsizetype k = 0; k < preparadas.size(); ++k) {
            ValorCelda &total = contenido.totales[k];
            const CeldaPreparada &celda = preparadas[k];
            if (celda.tipo == CeldaDiseno::Tipo::Numero || celda.tipo == CeldaDiseno::Tipo::Suma) {
                total.tipo = ValorCelda::Tipo::Numero;
                total.numero = sumas[k];
            } else if (celda.tipo == CeldaDiseno::Tipo::Rotulo) {
                total.tipo = ValorCelda::Tipo::Texto;
                total.nTexto = rotulos[k];
            }
        }
        if (nColumnas > 0) {
            contenido.totales[0].tipo = ValorCelda::Tipo::Texto;
            contenido.totales[0].nTexto = contenido.AgregaTexto(TextoFijo(m_diseno.cRotuloTotales, nFilas));
        }
    }
    return contenido;
}
