#include "SalidaArchivo.h"

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "PintorReporte.h"
#include "SalidaCsv.h"
#include "SalidaPdf.h"
#include "SalidaXlsx.h"

namespace {

bool Termina(const QString &cRuta, QLatin1String cExtension)
{
    return cRuta.endsWith(cExtension, Qt::CaseInsensitive);
}

} // namespace

namespace SalidaArchivo {

bool EsDeUnTipoConocido(const QString &cRuta)
{
    return Termina(cRuta, QLatin1String(".pdf")) || Termina(cRuta, QLatin1String(".csv")) ||
           Termina(cRuta, QLatin1String(".xlsx"));
}

void Escribe(const PintorReporte &pintor, const QPageLayout &diseno, const QString &cRuta, int nDesde, int nHasta)
{
    if (Termina(cRuta, QLatin1String(".csv")))
        SalidaCsv::Escribe(pintor.Contenido(), cRuta);
    else if (Termina(cRuta, QLatin1String(".xlsx")))
        SalidaXlsx::Escribe(pintor.Contenido(), cRuta);
    else if (Termina(cRuta, QLatin1String(".pdf")))
        SalidaPdf::Escribe(pintor, diseno, cRuta, nDesde, nHasta);
    else
        throw ErrorReporte(CodigoErrorRpt::ValorNoValido,
                           QStringLiteral("El archivo \"%1\" no termina en .pdf, .csv o .xlsx.").arg(cRuta));
}

} // namespace SalidaArchivo
