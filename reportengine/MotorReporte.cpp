#include "MotorReporte.h"

#include <QDateTime>
#include <QFileInfo>
#include <QScopeGuard>

#include "ArchivoRpt.h"
#include "ArmadorContenido.h"
#include "CodigosErrorReporte.h"
#include "ConsultaReporte.h"
#include "ContenidoReporte.h"
#include "LectorOdbc.h"
#include "LectorRpt.h"
#include "PintorReporte.h"
#include "SalidaArchivo.h"
#include "SalidaImpresa.h"

namespace {

[[noreturn]] void NoValido(int nDispId, const QString &cDetalle)
{
    throw ErrorReporte(CodigoErrorRpt::ValorNoValido,
                       QStringLiteral("Valor no válido para la propiedad %1: %2.").arg(nDispId).arg(cDetalle));
}

// The bridge puts texts as QString; an empty QVariant counts as the empty text.
QString Texto(int nDispId, const QVariant &valor)
{
    if (!valor.isValid())
        return {};
    if (valor.metaType().id() != QMetaType::QString)
        NoValido(
            nDispId,
            QStringLiteral("se esperaba un texto y llegó un valor de tipo %1").arg(QLatin1String(valor.typeName())));
    return valor.toString();
}

// Any integer type (the bridge widens its 16-bit fields to 32 bits), or a text of digits.
int Entero(int nDispId, const QVariant &valor)
{
    switch (valor.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::QString: {
        bool bBien = false;
        const qlonglong n = valor.toLongLong(&bBien);
        if (bBien && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            return int(n);
        break;
    }
    default: break;
    }
    NoValido(nDispId, QStringLiteral("se esperaba un número entero y llegó \"%1\"").arg(valor.toString()));
}

} // namespace

void MotorReporte::PropertyPut(PropiedadReporte propiedad, const QVariant &valor)
{
    const int nDispId = int(propiedad);
    using enum PropiedadReporte;
    switch (propiedad) {
    case ArchivoReporte: m_cArchivoReporte = Texto(nDispId, valor); return;
    case ArchivoSalida: {
        const QString cRuta = Texto(nDispId, valor);
        if (!cRuta.isEmpty() && !SalidaArchivo::EsDeUnTipoConocido(cRuta))
            NoValido(nDispId, QStringLiteral("el archivo \"%1\" no termina en .pdf, .csv o .xlsx").arg(cRuta));
        m_cArchivoSalida = cRuta;
        return;
    }
    case TituloVentana: m_cTituloVentana = Texto(nDispId, valor); return;
    case Destino: {
        const int nDestino = Entero(nDispId, valor);
        if (nDestino < int(DestinoReporte::Ventana) || nDestino > int(DestinoReporte::Archivo))
            NoValido(nDispId, QStringLiteral("destino %1 (0 ventana, 1 impresora, 2 archivo)").arg(nDestino));
        m_destino = DestinoReporte(nDestino);
        return;
    }
    case Accion: {
        const int nAccion = Entero(nDispId, valor);
        if (nAccion == 1) {
            // Whatever the run gives, the next job starts from a clean slate: a formula or a
            // table location that this job set and the next one leaves alone must not reach it.
            const auto despues = qScopeGuard([this] { OlvidaElTrabajo(); });
            Ejecuta();
        } else if (nAccion != 0)
            NoValido(nDispId, QStringLiteral("acción %1 (1 ejecuta el reporte)").arg(nAccion));
        return;
    }
    case Conexion: m_conexion = TextoConexion::Analiza(Texto(nDispId, valor)); return;
    case Copias: m_ajustes.AsignaCopias(Entero(nDispId, valor)); return;
    case DobleCara: m_ajustes.AsignaDobleCara(Entero(nDispId, valor)); return;
    case Papel: m_ajustes.AsignaPapel(Texto(nDispId, valor)); return;
    case Paginas: m_ajustes.AsignaPaginas(Texto(nDispId, valor)); return;
    case Bandeja: m_ajustes.AsignaBandeja(Texto(nDispId, valor)); return;
    case Formula:
    case Impresora:
    case UbicacionTabla:
        throw ErrorReporte(CodigoErrorRpt::PropiedadDesconocida,
                           QStringLiteral("La propiedad %1 se asigna con un índice.").arg(nDispId));
    default:
        throw ErrorReporte(CodigoErrorRpt::PropiedadDesconocida,
                           QStringLiteral("El control de reportes no tiene la propiedad %1.").arg(nDispId));
    }
}

void MotorReporte::PropertyPutIndexed(PropiedadReporte propiedad, int nIndice, const QVariant &valor)
{
    const int nDispId = int(propiedad);
    using enum PropiedadReporte;
    switch (propiedad) {
    case Formula: m_formulas.Asigna(nIndice, Texto(nDispId, valor)); return;
    case Impresora: {
        if (nIndice != 0)
            throw ErrorReporte(CodigoErrorRpt::IndiceNoValido,
                               QStringLiteral("La propiedad 30 solo tiene el índice 0, no el %1.").arg(nIndice));
        const QString cImpresora = Texto(nDispId, valor);
        if (!cImpresora.isEmpty() && !(m_pSalidaImpresa && m_pSalidaImpresa->ExisteImpresora(cImpresora))) {
            // The bridge shows the failure and goes on: the run must not then print on the default printer.
            m_cImpresoraRechazada = cImpresora;
            throw ErrorReporte(CodigoErrorRpt::ImpresoraNoDisponible,
                               QStringLiteral("La impresora \"%1\" no existe en este equipo.").arg(cImpresora));
        }
        m_cImpresoraRechazada.clear();
        m_ajustes.AsignaImpresora(cImpresora);
        return;
    }
    case UbicacionTabla: {
        if (nIndice < 0 || nIndice >= ArchivoRpt::nMaximoTablas)
            throw ErrorReporte(CodigoErrorRpt::IndiceNoValido,
                               QStringLiteral("La tabla %1 no existe (un reporte tiene a lo más %2).")
                                   .arg(nIndice + 1)
                                   .arg(ArchivoRpt::nMaximoTablas));
        const QString cUbicacion = Texto(nDispId, valor);
        const QString cProblema = cUbicacion.isEmpty() ? QString() : ConsultaReporte::ProblemaDeUbicacion(cUbicacion);
        if (!cProblema.isEmpty())
            throw ErrorReporte(CodigoErrorRpt::UbicacionNoValida,
                               QStringLiteral("Tabla %1: %2.").arg(nIndice + 1).arg(cProblema));
        if (m_ubicaciones.size() <= nIndice)
            m_ubicaciones.resize(nIndice + 1);
        m_ubicaciones[nIndice] = cUbicacion;
        return;
    }
    default:
        throw ErrorReporte(
            CodigoErrorRpt::PropiedadDesconocida,
            QStringLiteral("La propiedad %1 no existe con índice en el control de reportes.").arg(nDispId));
    }
}

void MotorReporte::OlvidaElTrabajo()
{
    m_cArchivoReporte.clear();
    m_ubicaciones.clear();
    m_formulas = FormulasReporte();
    m_conexion = TextoConexion();
    m_destino = DestinoReporte::Ventana;
    m_cArchivoSalida.clear();
    m_cTituloVentana.clear();
    m_ajustes = AjustesImpresion();
    m_cImpresoraRechazada.clear();
}

void MotorReporte::Ejecuta()
{
    if (m_cArchivoReporte.isEmpty())
        throw ErrorReporte(CodigoErrorRpt::SinArchivoDeReporte,
                           QStringLiteral("No se ha indicado el archivo de reporte."));
    if (m_destino == DestinoReporte::Archivo && m_cArchivoSalida.isEmpty())
        throw ErrorReporte(CodigoErrorRpt::SinArchivoDeSalida,
                           QStringLiteral("El reporte va a un archivo y no se ha indicado cuál (propiedad 12)."));

    const ArchivoRpt archivo = LectorRpt::LeeArchivo(m_cArchivoReporte);
    const QHash<QString, QString> formulas = m_formulas.Valores();
    for (const QString &cNombre : m_formulas.Nombres()) {
        if (!archivo.diseno.formulas.contains(cNombre, Qt::CaseInsensitive))
            throw ErrorReporte(CodigoErrorRpt::FormulaDesconocida,
                               QStringLiteral("El reporte %1 no tiene la fórmula %2.")
                                   .arg(QFileInfo(m_cArchivoReporte).fileName(), cNombre));
    }
    const ConsultaReporte consulta(archivo, m_ubicaciones);
    const QString cCadenaOdbc = m_conexion.CadenaOdbc(consulta.OrigenDatos(), m_nEsperaConexion, m_nEsperaRespuesta);
    if (m_destino == DestinoReporte::Impresora && !m_cImpresoraRechazada.isEmpty())
        throw ErrorReporte(
            CodigoErrorRpt::ImpresoraNoDisponible,
            QStringLiteral("La impresora \"%1\" no existe en este equipo: el reporte no se imprime en otra.")
                .arg(m_cImpresoraRechazada));
    if (m_destino != DestinoReporte::Archivo)
        Impresa(); // nothing is read for a screen or a printer that this program does not have
    const DatosReporte datos = LectorOdbc::Lee(cCadenaOdbc, consulta.OrigenDatos(), consulta.Sql(), m_avisos.alConectar,
                                               m_nEsperaConexion, m_nEsperaRespuesta);
    if (m_avisos.alLeerDatos)
        m_avisos.alLeerDatos(); // what the report shows is in memory: its tables may go
    const ContenidoReporte contenido =
        ArmadorContenido(archivo.diseno, formulas, QDateTime::currentDateTime()).Arma(datos);

    const QString cTitulo = m_cTituloVentana.isEmpty() ? archivo.diseno.cTitulo : m_cTituloVentana;
    switch (m_destino) {
    case DestinoReporte::Ventana:
        Impresa().MuestraVistaPrevia(PintorReporte(contenido, m_locale), cTitulo, m_ajustes);
        break;
    case DestinoReporte::Impresora: Impresa().Imprime(PintorReporte(contenido, m_locale), cTitulo, m_ajustes); break;
    case DestinoReporte::Archivo: {
        const PintorReporte pintor(contenido, m_locale);
        SalidaArchivo::Escribe(pintor, pintor.DisenoDePagina(m_ajustes.Papel()), m_cArchivoSalida,
                               m_ajustes.PrimeraPagina(), m_ajustes.UltimaPagina());
        break;
    }
    }
}

SalidaImpresa &MotorReporte::Impresa() const
{
    if (!m_pSalidaImpresa)
        throw ErrorReporte(
            CodigoErrorRpt::SinPantallaNiImpresora,
            QStringLiteral("Este programa no muestra ni imprime reportes: solo los escribe en un archivo."));
    return *m_pSalidaImpresa;
}
