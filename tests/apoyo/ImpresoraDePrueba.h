#pragma once

#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>

// The private print server of the tests (scripts/cups-privado.sh), as scripts/prueba.sh points
// them at it: CUPS_SERVER (its socket), ALMENA_CUPS_IMPRESORA (its PDF printer, the server's
// default) and ALMENA_CUPS_SALIDA (where that printer writes). What came out is read back with
// lpstat, pdfinfo and pdftotext.
class ImpresoraDePrueba
{
public:
    // Why nothing can be printed here (for QSKIP); empty when the server answers.
    static QString FaltaParaImprimir();
    static QString Nombre();           // scripts/cups-privado.sh's name when the variable is not set
    static QString NombreQueRechaza(); // a printer of the same server that refuses every job

    // The jobs the server has taken so far, finished or not.
    static QSet<int> Trabajos();
    // The PDF that job nTrabajo came out as, once the printer has finished it (at most 60 s);
    // empty if it did not come.
    static QString EsperaPdf(int nTrabajo);

    struct Hojas
    {
        int nPaginas = 0;
        QSizeF tamano;      // of the first page, in points, as it is shown (pdfinfo)
        QStringList textos; // of each page (pdftotext -layout)
    };
    static Hojas Lee(const QString &cPdf);
};
