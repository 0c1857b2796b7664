#include "TextosDeQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

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
}
