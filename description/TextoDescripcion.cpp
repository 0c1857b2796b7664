#include "TextoDescripcion.h"

#include "ArchivosPrograma.h"
#include "OpcionesLotes.h"

QString TextoDescripcion(const QString &cArchivoIni, const QString &cCarpetaPrograma)
{
    return QStringLiteral(
               "<h3>Informe mensual de ventas</h3>"
               "<p>Este programa produce el informe de ventas de doce meses: para cada cliente y cada mes del "
               "periodo, la cantidad y el importe de las facturas que cumplen los filtros, y la cantidad que el "
               "cliente tiene pendiente en remisiones abiertas en dólares.</p>"
               "<p>En la ventana principal indique la fecha inicial y la final (a lo más doce meses de calendario) "
               "y, si lo desea, un cliente, un vendedor y una línea de productos; luego pulse <b>Imprimir</b>. "
               "El informe se muestra en una vista previa desde la que puede imprimirse.</p>"
               "<h4>Archivo de configuración</h4>"
               "<p>El archivo de configuración, <i>informe-mensual.ini</i>, está junto al programa cuando ahí existe; "
               "si no, en <i>~/.config/informe-mensual/</i>, donde se crea la primera vez a partir de los valores que "
               "el "
               "administrador deja en <i>/etc/xdg/informe-mensual/informe-mensual.ini</i>. En la sección "
               "<i>[Configuración]</i> guarda la ruta de Almena Premium (<i>Ruta de Almena Premium</i>), el nombre "
               "de la base de datos principal (<i>Base de datos principal</i>) y la clave de la moneda de los dólares "
               "(<i>Id moneda USD</i>). Los datos de conexión a MySQL se toman del almacén de Almena. El menú "
               "<i>Uno</i> de esta ventana abre el archivo para editarlo; los cambios cuentan al volver a "
               "iniciar el programa.</p>"
               "<p>En uso: el archivo de configuración <i>%1</i> y el informe <i>%2</i>.</p>")
               .arg(cArchivoIni.toHtmlEscaped(), ArchivosPrograma::ArchivoInforme(cCarpetaPrograma).toHtmlEscaped()) +
           QStringLiteral("<h4>Modo por lotes</h4>"
                          "<p>El mismo programa produce el informe sin ventana:</p>") +
           OpcionesLotes::HtmlOpciones(QStringLiteral("informe-mensual"));
}
