#include "SalidaPdf.h"

#include <QPageLayout>
#include <QSaveFile>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "EscritorPdf.h"
#include "PintorReporte.h"

void SalidaPdf::Escribe(const PintorReporte &pintor, const QPageLayout &diseno, const QString &cRuta, int nDesde,
                        int nHasta)
{
    QSaveFile archivo(cRuta);
    if (!archivo.open(QIODevice::WriteOnly))
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                           QStringLiteral("No se pudo crear el archivo %1: %2.").arg(cRuta, archivo.errorString()));
    {
        EscritorPdf pdf(&archivo);
        pdf.setPageLayout(diseno);
        pdf.setTitle(pintor.Contenido().cTitulo);
        pdf.setCreator(QStringLiteral("informe-mensual"));
        try {
            pintor.Pinta(pdf, nDesde, nHasta);
        } catch (const ErrorReporte &) {
            // The writer knows why the painting stopped: a drawing the file cannot hold, a failed write.
            if (pdf.Falla().isEmpty())
                throw;
            throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                               QStringLiteral("No se pudo escribir el archivo %1: %2.").arg(cRuta, pdf.Falla()));
        }
    }
    if (!archivo.flush() || !archivo.commit()) // flush(): see EscritorRpt
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                           QStringLiteral("No se pudo escribir el archivo %1: %2.").arg(cRuta, archivo.errorString()));
}
