#include "OpcionesLotes.h"

#include <QStringList>

#include <algorithm>

#include "TablaDeFiltros.h"

namespace {

// How wide --help writes, as QCommandLineParser did.
constexpr qsizetype nAnchoAyuda = 79;

// Words of cTexto in lines of at most nAncho characters (a longer word has a line of its
// own), every line after the first starting with cSangria.
QString Envuelto(const QString &cTexto, qsizetype nAncho, const QString &cSangria)
{
    QString cResultado;
    qsizetype nLinea = 0;
    const QStringList palabras = cTexto.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &cPalabra : palabras) {
        if (nLinea > 0 && nLinea + 1 + cPalabra.size() > nAncho) {
            cResultado += QLatin1Char('\n') + cSangria;
            nLinea = 0;
        } else if (nLinea > 0) {
            cResultado += QLatin1Char(' ');
            ++nLinea;
        }
        cResultado += cPalabra;
        nLinea += cPalabra.size();
    }
    return cResultado;
}

QString ConObligatoria(const OpcionesLotes::Opcion &opcion)
{
    // The form's own required option (--salida, --impresora) is told by the description
    // instead: exactly one of the two is given.
    return opcion.bObligatoria && opcion.forma == OpcionesLotes::Forma::Comun
               ? opcion.cDescripcion + QStringLiteral(" Obligatoria.")
               : opcion.cDescripcion;
}

// Text for roff: its escape character and the dashes (which man would otherwise print as
// hyphens), options kept whole at the end of a line, and no request at a line's start.
QString Roff(const QString &cTexto)
{
    QStringList palabras = cTexto.split(QLatin1Char(' '));
    for (QString &cPalabra : palabras) {
        const bool bOpcion = cPalabra.startsWith(QLatin1Char('-'));
        cPalabra.replace(QLatin1Char('\\'), QStringLiteral("\\e")).replace(QLatin1Char('-'), QStringLiteral("\\-"));
        if (bOpcion)
            cPalabra.prepend(QStringLiteral("\\%")); // an option is never hyphenated
    }
    QString cResultado = palabras.join(QLatin1Char(' '));
    if (cResultado.startsWith(QLatin1Char('.')) || cResultado.startsWith(QLatin1Char('\'')))
        cResultado.prepend(QStringLiteral("\\&"));
    return cResultado;
}

// An option's names and value, marked up: each name in bold, the value in italics.
QString RoffComoSeEscribe(const OpcionesLotes::Opcion &opcion)
{
    QStringList nombres;
    if (!opcion.cCorto.isEmpty())
        nombres << QStringLiteral("\\fB\\-%1\\fR").arg(Roff(opcion.cCorto));
    if (!opcion.cNombre.isEmpty())
        nombres << QStringLiteral("\\fB\\-\\-%1\\fR").arg(Roff(opcion.cNombre));
    QString cResultado = nombres.join(QStringLiteral(", "));
    if (!opcion.cArgumento.isEmpty()) {
        const QString cValor = QStringLiteral("\\fI%1\\fR").arg(Roff(opcion.cArgumento));
        // A non-breaking space keeps the value on the option's line.
        cResultado += QStringLiteral("\\~") + (opcion.bArgumentoOpcional ? u'[' + cValor + u']' : cValor);
    }
    return cResultado;
}

// The synopsis' entries of one form, each as fEscribe writes it and bracketed when it may be
// left out.
template <typename Escritor> QStringList EntradasDeLaForma(OpcionesLotes::Forma forma, Escritor fEscribe)
{
    using namespace OpcionesLotes;
    QStringList entradas;
    for (const Opcion &opcion : Todas()) {
        if (opcion.forma != Forma::Comun && opcion.forma != forma)
            continue;
        Opcion sinCorto = opcion;
        sinCorto.cCorto.clear();
        const QString cEntrada = fEscribe(sinCorto);
        entradas << (opcion.bObligatoria ? cEntrada : u'[' + cEntrada + u']');
    }
    return entradas;
}

template <typename Escritor> QList<QStringList> SinopsisCon(Escritor fEscribe, const QString &cSeparador)
{
    using namespace OpcionesLotes;
    QList<QStringList> formas{EntradasDeLaForma(Forma::Archivo, fEscribe),
                              EntradasDeLaForma(Forma::Impresora, fEscribe)};
    QStringList consultas;
    for (const Opcion &opcion : Todas()) {
        if (opcion.forma != Forma::Consulta)
            continue;
        if (!opcion.cCorto.isEmpty()) {
            Opcion soloCorto = opcion;
            soloCorto.cNombre.clear();
            consultas << fEscribe(soloCorto);
        }
        Opcion sinCorto = opcion;
        sinCorto.cCorto.clear();
        consultas << fEscribe(sinCorto);
    }
    formas << QStringList{consultas.join(cSeparador)};
    return formas;
}

} // namespace

namespace OpcionesLotes {

const QList<Opcion> &Todas()
{
    // One option a row, laid out by hand: clang-format would put every field on a line. The
    // filters' options come from their table, between the period and the destination.
    const auto conFiltros = [](QList<Opcion> opciones) {
        qsizetype nLugar = 4; // after --desde and --hasta
        for (const TablaDeFiltros::Filtro &filtro : TablaDeFiltros::Todos())
            opciones.insert(
                nLugar++,
                Opcion{filtro.cOpcion, {}, filtro.cArgumento, false, false, Forma::Comun, filtro.cDescripcion});
        return opciones;
    };
    // clang-format off
    static const QList<Opcion> opciones = conFiltros({
        {QStringLiteral("help"), QStringLiteral("h"), {}, false, false, Forma::Consulta,
         QStringLiteral("Muestra la ayuda de las opciones.")},
        {QStringLiteral("version"), {}, {}, false, false, Forma::Consulta,
         QStringLiteral("Muestra la versión del programa.")},
        {QStringLiteral("desde"), {}, QStringLiteral("DD/MM/AAAA"), false, true, Forma::Comun,
         QStringLiteral("Fecha inicial del periodo.")},
        {QStringLiteral("hasta"), {}, QStringLiteral("DD/MM/AAAA"), false, true, Forma::Comun,
         QStringLiteral("Fecha final del periodo.")},
        {QStringLiteral("salida"), {}, QStringLiteral("ARCHIVO"), false, true, Forma::Archivo,
         QStringLiteral("Archivo del informe: .pdf, .xlsx (para abrirlo en una hoja de cálculo) o .csv (los "
                        "datos exactos para otros programas: UTF-8, comas y punto decimal).")},
        {QStringLiteral("impresora"), {}, QStringLiteral("NOMBRE"), true, true, Forma::Impresora,
         QStringLiteral("Impresora a la que se envía el informe; sin NOMBRE, la predeterminada. Excluye --salida.")},
        {QStringLiteral("copias"), {}, QStringLiteral("N"), false, false, Forma::Impresora,
         QStringLiteral("Copias impresas, de 1 a 999 (1 si se omite). Solo con --impresora.")},
        {QStringLiteral("paginas"), {}, QStringLiteral("N|N-M"), false, false, Forma::Impresora,
         QStringLiteral("Páginas impresas: N o N-M (todas si se omite). Solo con --impresora.")},
    });
    // clang-format on
    return opciones;
}

const QList<EstadoSalida> &Estados()
{
    static const QList<EstadoSalida> estados{
        {0, QStringLiteral("El archivo se escribió, o el servidor de impresión recibió el informe, y no se mostró "
                           "ninguna falla.")},
        {1,
         QStringLiteral("Cualquier otra falla: una opción desconocida o repetida, una fecha que no es fecha, la base "
                        "de datos, un archivo que no se pudo escribir, una impresora que rechaza el trabajo; también "
                        "cuando el informe se escribió o se envió después de mostrar una falla.")},
        {2, QStringLiteral("El periodo excede los doce meses (el texto «Alerta» va a la salida de errores).")},
        {129, QStringLiteral("Interrumpido por SIGHUP (la terminal se cerró).")},
        {130, QStringLiteral("Interrumpido por Ctrl+C (SIGINT).")},
        {143, QStringLiteral("Interrumpido por SIGTERM. Un informe interrumpido se detiene como con «Cancelar»: el "
                             "archivo que había queda como estaba, salvo que la señal llegue cuando ya se estaba "
                             "escribiendo; la última línea lo dice.")},
    };
    return estados;
}

QString Descripcion()
{
    return QStringLiteral(
        "Informe de ventas de doce meses por cliente y mes, sin ventana, a un archivo (--salida) o a una impresora "
        "(--impresora): se da exactamente una de las dos, y cada opción a lo más una vez. Los mensajes van a la "
        "salida de errores.");
}

QString ComoSeEscribe(const Opcion &opcion)
{
    QStringList nombres;
    if (!opcion.cCorto.isEmpty())
        nombres << QStringLiteral("-") + opcion.cCorto;
    if (!opcion.cNombre.isEmpty())
        nombres << QStringLiteral("--") + opcion.cNombre;
    QString cResultado = nombres.join(QStringLiteral(", "));
    if (!opcion.cArgumento.isEmpty())
        cResultado += u' ' + (opcion.bArgumentoOpcional ? u'[' + opcion.cArgumento + u']' : opcion.cArgumento);
    return cResultado;
}

QStringList Sinopsis()
{
    QStringList lineas;
    for (const QStringList &entradas : SinopsisCon(&ComoSeEscribe, QStringLiteral(" | ")))
        lineas << entradas.join(u' ');
    return lineas;
}

QString TextoAyuda(const QString &cPrograma)
{
    const QString cUso = QStringLiteral("Uso: ");
    QString cAyuda;
    // A line of the synopsis breaks between options, never inside one: within an option the
    // spaces are no-break ones while it is wrapped.
    const QChar cSinCorte(0xA0);
    const QList<QStringList> formas = SinopsisCon(&ComoSeEscribe, QStringLiteral(" | "));
    for (qsizetype i = 0; i < formas.size(); ++i) {
        QStringList entradas = formas.at(i);
        for (QString &cEntrada : entradas)
            cEntrada.replace(u' ', cSinCorte);
        const QString cSangria(cUso.size() + cPrograma.size() + 1, u' ');
        cAyuda += (i == 0 ? cUso : QString(cUso.size(), u' ')) + cPrograma + u' ' +
                  Envuelto(entradas.join(u' '), nAnchoAyuda - cSangria.size(), cSangria).replace(cSinCorte, u' ') +
                  u'\n';
    }
    cAyuda += u'\n' + Envuelto(Descripcion(), nAnchoAyuda, QString()) + QStringLiteral("\n\nOpciones:\n");
    qsizetype nColumna = 0;
    for (const Opcion &opcion : Todas())
        nColumna = std::max(nColumna, ComoSeEscribe(opcion).size());
    nColumna += 4; // two spaces before the option, two after the longest
    for (const Opcion &opcion : Todas()) {
        cAyuda += QStringLiteral("  ") + ComoSeEscribe(opcion).leftJustified(nColumna - 2) +
                  Envuelto(ConObligatoria(opcion), nAnchoAyuda - nColumna, QString(nColumna, u' ')) + u'\n';
    }
    cAyuda += QStringLiteral("\nEstado de salida:\n");
    for (const EstadoSalida &estado : Estados())
        cAyuda += QStringLiteral("  %1  ").arg(estado.nCodigo, 3) +
                  Envuelto(estado.cDescripcion, nAnchoAyuda - 7, QString(7, u' ')) + u'\n';
    return cAyuda;
}

QString HtmlOpciones(const QString &cPrograma)
{
    // Plain characters only, no joiners or no-break spaces to keep an option on one line: a
    // line copied from the window must run in a shell as it reads.
    const auto fHtml = [](const Opcion &opcion) { return ComoSeEscribe(opcion).toHtmlEscaped(); };
    QString cHtml;
    for (const QStringList &entradas : SinopsisCon(fHtml, QStringLiteral(" | ")))
        cHtml += QStringLiteral("<p style=\"font-family: monospace; margin-left: 2em\">%1 %2</p>")
                     .arg(cPrograma.toHtmlEscaped(), entradas.join(u' '));
    cHtml += QStringLiteral("<p>") + Descripcion().toHtmlEscaped() + QStringLiteral("</p><table cellpadding=\"2\">");
    for (const Opcion &opcion : Todas())
        cHtml += QStringLiteral("<tr><td style=\"white-space: pre; font-family: monospace\">%1</td><td>%2</td></tr>")
                     .arg(ComoSeEscribe(opcion).toHtmlEscaped(), ConObligatoria(opcion).toHtmlEscaped());
    cHtml += QStringLiteral("</table><p>Estado de salida:</p><table cellpadding=\"2\">");
    for (const EstadoSalida &estado : Estados())
        cHtml += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                     .arg(estado.nCodigo)
                     .arg(estado.cDescripcion.toHtmlEscaped());
    return cHtml + QStringLiteral("</table>");
}

QString RoffSinopsis(const QString &cPrograma)
{
    QStringList formas;
    for (const QStringList &entradas : SinopsisCon(&RoffComoSeEscribe, QStringLiteral(" | ")))
        formas << QStringLiteral(".B %1\n%2\n").arg(Roff(cPrograma), entradas.join(u' '));
    return formas.join(QStringLiteral(".PP\n"));
}

QString RoffOpciones()
{
    QString cRoff;
    for (const Opcion &opcion : Todas())
        cRoff += QStringLiteral(".TP\n%1\n%2\n").arg(RoffComoSeEscribe(opcion), Roff(ConObligatoria(opcion)));
    return cRoff;
}

QString RoffEstados()
{
    QString cRoff;
    for (const EstadoSalida &estado : Estados())
        cRoff += QStringLiteral(".TP\n.B %1\n%2\n").arg(estado.nCodigo).arg(Roff(estado.cDescripcion));
    return cRoff;
}

} // namespace OpcionesLotes
