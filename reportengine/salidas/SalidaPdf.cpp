#include "SalidaPdf.h"

#include <QPageLayout>
#include <QPdfWriter>

#include <memory>

#include "ArchivoDeSalida.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "EscritorPdf.h"
#include "PintorReporte.h"

namespace {

[[noreturn]] void NoEscrito(const QString &cRuta, const QString &cMotivo)
{
    throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                       QStringLiteral("No se pudo escribir el archivo %1: %2.").arg(cRuta, cMotivo));
}

// The document by our writer, or by Qt's (bDeQt). False, with nothing written, when our
// writer met a letter it cannot embed.
bool EscribeCon(bool bDeQt, const PintorReporte &pintor, const QPageLayout &diseno, const QString &cRuta, int nDesde,
                int nHasta)
{
    ArchivoDeSalida archivo(cRuta);
    if (!archivo.open(QIODevice::WriteOnly))
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                           QStringLiteral("No se pudo crear el archivo %1: %2.").arg(cRuta, archivo.errorString()));
    {
        const std::unique_ptr<QPdfWriter> pPdf =
            bDeQt ? std::make_unique<QPdfWriter>(&archivo) : std::make_unique<EscritorPdf>(&archivo);
        pPdf->setPageLayout(diseno);
        pPdf->setTitle(pintor.Contenido().cTitulo);
        pPdf->setCreator(QStringLiteral("informe-mensual"));
        const auto *pNuestro = bDeQt ? nullptr : static_cast<const EscritorPdf *>(pPdf.get());
        try {
            pintor.Pinta(*pPdf, nDesde, nHasta);
        } catch (const ErrorReporte &) {
            if (archivo.Errno() != 0)
                NoEscrito(cRuta, archivo.Motivo()); // a failed write, which the writer saw as such
            if (pNuestro && pNuestro->LetraAjena())
                return false; // the unfinished file goes with archivo
            // The writer knows why the painting stopped: a drawing the file cannot hold.
            if (!pNuestro || pNuestro->Falla().isEmpty())
                throw;
            NoEscrito(cRuta, pNuestro->Falla());
        }
    }
    // Qt's writer does not say that a write failed: the file does.
    if (archivo.error() != QFileDevice::NoError || !archivo.Termina())
        NoEscrito(cRuta, archivo.Motivo());
    return true;
}

} // namespace

void SalidaPdf::Escribe(const PintorReporte &pintor, const QPageLayout &diseno, const QString &cRuta, int nDesde,
                        int nHasta)
{
    // Our writer embeds TrueType outlines only; a report whose letter the system resolves to a
    // CFF or OpenType font is still written, by Qt's writer, larger and slower.
    if (!EscribeCon(false, pintor, diseno, cRuta, nDesde, nHasta))
        EscribeCon(true, pintor, diseno, cRuta, nDesde, nHasta);
}
