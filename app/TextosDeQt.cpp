#include "TextosDeQt.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

namespace {

// Qt's own texts that Qt's Spanish translation leaves in English (the print dialog's "Pages"
// and "Advanced", its double-sided choices and conflicts), and those it says with words this
// program does not use ("fichero" for "archivo"). Found by the English text: these dialogs are
// the only ones that say them.
class TextosQueQtNoTraduce : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *cContexto, const char *cTexto, const char * /*cAclaracion*/, int /*n*/) const override
    {
        const QLatin1String contexto(cContexto ? cContexto : "");
        if (!contexto.startsWith(QLatin1String("QPrint")) && !contexto.startsWith(QLatin1String("QPageSetup")) &&
            !contexto.startsWith(QLatin1String("QFileDialog")) && contexto != QLatin1String("QFileSystemModel") &&
            contexto != QLatin1String("QCupsJobWidget") && contexto != QLatin1String("QUnixPrintWidget"))
            return {};
        return Textos().value(QByteArray(cTexto));
    }

    static const QHash<QByteArray, QString> &Textos()
    {
        static const QHash<QByteArray, QString> textos{
            // The print dialog and its printer's properties.
            {"Pages", QStringLiteral("Páginas")},
            {"Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
             "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
             QStringLiteral("Escriba páginas o intervalos separados por comas; un intervalo son dos números con un "
                            "guion entre ellos. Por ejemplo, 3,5-7,9 imprime las páginas 3, 5, 6, 7 y 9.")},
            {"Double Sided Printing", QStringLiteral("Impresión a doble cara")},
            {"Off", QStringLiteral("No")},
            {"Long side binding", QStringLiteral("Encuadernado por el lado largo")},
            {"Short side binding", QStringLiteral("Encuadernado por el lado corto")},
            {"Advanced", QStringLiteral("Avanzadas")},
            {"There are conflicts in some options. Please fix them.",
             QStringLiteral("Algunas opciones no pueden ir juntas. Corríjalas.")},
            {"Invalid Pages Definition", QStringLiteral("Páginas mal escritas")},
            {"%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define "
             "ranges and make sure ranges do not intersect with each other.",
             QStringLiteral("%1 no está bien escrito. Separe las páginas y los intervalos con «,», escriba los "
                            "intervalos con «-» y cuide que no se encimen.")},
            {"Page Setup Conflicts", QStringLiteral("Opciones de página que no pueden ir juntas")},
            {"There are conflicts in page setup options. Do you want to fix them?",
             QStringLiteral("Algunas opciones de página no pueden ir juntas. ¿Desea corregirlas?")},
            {"Advanced Option Conflicts", QStringLiteral("Opciones avanzadas que no pueden ir juntas")},
            {"There are conflicts in some advanced options. Do you want to fix them?",
             QStringLiteral("Algunas opciones avanzadas no pueden ir juntas. ¿Desea corregirlas?")},
            {"Duplex Settings Conflicts", QStringLiteral("Opciones de doble cara que no pueden ir juntas")},
            {"There are conflicts in duplex settings. Do you want to fix them?",
             QStringLiteral("Algunas opciones de doble cara no pueden ir juntas. ¿Desea corregirlas?")},
            // "archivo", as the program says, where Qt's translation says "fichero".
            {"Output &file:", QStringLiteral("&Archivo de salida:")},
            {"Print To File ...", QStringLiteral("Imprimir a un archivo…")},
            {"%1 is a directory.\nPlease choose a different file name.",
             QStringLiteral("%1 es una carpeta.\nElija otro nombre de archivo.")},
            {"File %1 is not writable.\nPlease choose a different file name.",
             QStringLiteral("No se puede escribir en el archivo %1.\nElija otro nombre de archivo.")},
            {"File &name:", QStringLiteral("&Nombre del archivo:")},
            {"Files of type:", QStringLiteral("Archivos de tipo:")},
            {"All Files (*)", QStringLiteral("Todos los archivos (*)")},
            {"%1 already exists.\nDo you want to replace it?",
             QStringLiteral("El archivo %1 ya existe.\n¿Desea reemplazarlo?")},
            {"%1\nFile not found.\nPlease verify the correct file name was given.",
             QStringLiteral("%1\nNo se encontró el archivo.\nCompruebe que el nombre es correcto.")},
            {"Invalid filename", QStringLiteral("Nombre de archivo no válido")},
        };
        return textos;
    }
};

} // namespace

void CargaTextosDeQtEnEspanol(QCoreApplication &app)
{
    auto *pTraduccion = new QTranslator(&app);
    const QString cCarpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!pTraduccion->load(QStringLiteral("qt_es"), cCarpeta)) {
        std::fprintf(
            stderr, "%s\n",
            QStringLiteral("Aviso: no está la traducción de Qt al español en %1 (paquete qt6-translations-l10n); "
                           "los textos propios de Qt saldrán en inglés.")
                .arg(cCarpeta)
                .toLocal8Bit()
                .constData());
        delete pTraduccion;
        return;
    }
    QCoreApplication::installTranslator(pTraduccion);
    // Installed last, so asked first: our words over Qt's where both have one.
    QCoreApplication::installTranslator(new TextosQueQtNoTraduce(&app));
}
