#include "ImprimeRpt.h"

#include <QScopeGuard>

#include <exception>
#include <optional>
#include <utility>

#include "BasesDD.h"
#include "BloqueoOdbc.h"
#include "ConexionRpt.h"
#include "ControlReporte.h"
#include "HostError.h"
#include "Mensajes.h"
#include "ObjetosPrograma.h"
#include "OrigenesOdbc.h"
#include "ParametrosRpt.h"
#include "TablasRpt.h"
#include "UbicacionTabla.h"

// The request's destinations are handed over as numbers: they must mean the control's.
static_assert(qint32(DestinoRpt::Ventana) == qint32(DestinoReporte::Ventana));
static_assert(qint32(DestinoRpt::Impresora) == qint32(DestinoReporte::Impresora));
static_assert(qint32(DestinoRpt::Archivo) == qint32(DestinoReporte::Archivo));

namespace {

// The job's failure handler: the failure is shown and the job goes on with the step after
// the one that failed, so that the report still runs with whatever could be set; except for
// the data sources, whose failure ends the job (see ImprimeRpt).
class Manejador
{
public:
    explicit Manejador(Mensajes &mensajes) : m_mensajes(mensajes) {}

    template <class Paso> void Intenta(Paso paso)
    {
        try {
            paso();
        } catch (const HostError &error) {
            Muestra(error);
        } catch (const ErrorReporte &error) {
            Muestra(HostError(error.Numero(), error.Descripcion()));
        } catch (const std::exception &error) {
            Muestra(HostError(CodigoErrorHost::ErrorInterno, QString::fromLocal8Bit(error.what())));
        }
    }

    void Muestra(const HostError &error) { MuestraError(m_mensajes, error); }

private:
    Mensajes &m_mensajes;
};

} // namespace

void ImprimeRpt(const QString &cArchivoDatos, const QString &cTablas, ParametrosRpt &parametros,
                ControlReporte &control, const ObjetosPrograma &objetos, Mensajes &mensajes,
                const std::function<void()> &alLeerDatos)
{
    Manejador manejador(mensajes);
    const auto Asigna = [&](PropiedadReporte propiedad, const QVariant &valor) {
        manejador.Intenta([&] { control.PropertyPut(propiedad, valor); });
    };

    // From the first write into the data sources until the report has connected through them.
    // A report connects only through data sources that this job has just written under the
    // lock: without the lock another job may be pointing them elsewhere, and data sources that
    // could not be written may name another server altogether. Either way it does not run.
    std::optional<BloqueoOdbc> bloqueoOdbc;
    try {
        bloqueoOdbc.emplace(objetos.Bases().esperas.nOrigenesOdbc);
    } catch (const HostError &error) {
        manejador.Muestra(error);
        if (alLeerDatos)
            alLeerDatos();
        return;
    }
    bool bDatosLeidos = false;
    const auto datosLeidos = [&] {
        bloqueoOdbc.reset();
        if (!std::exchange(bDatosLeidos, true) && alLeerDatos)
            alLeerDatos();
    };
    control.PonAvisos({[&] { bloqueoOdbc.reset(); }, datosLeidos});
    const auto alTerminar = qScopeGuard([&] {
        control.PonAvisos({});
        datosLeidos(); // a report that never read its rows does not keep the caller waiting
    });

    bool bOrigenesEscritos = false;
    manejador.Intenta([&] {
        AseguraOrigenesODBC();
        ActualizaODBC(objetos);
        bOrigenesEscritos = true;
    });
    if (!bOrigenesEscritos)
        return;

    // A scan that fails counts as a report without tables: it then runs with the
    // locations stored in its file.
    QStringList tablas;
    int nTablas = 0;
    manejador.Intenta([&] { nTablas = LeeTablasRpt(parametros.ArchivoRpt, tablas); });

    Asigna(PropiedadReporte::ArchivoReporte, QString());
    for (int k = 0; k < nTablas; ++k) {
        manejador.Intenta([&] {
            const QString cUbicacion = UbicacionTabla(tablas.at(k), cArchivoDatos, cTablas, objetos.Bases().cMiBase,
                                                      [&](const HostError &error) { manejador.Muestra(error); });
            control.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, k, cUbicacion);
        });
    }
    tablas.clear();

    // Empty formulas are skipped, not cleared: the control keeps what an earlier job put there.
    for (int i = 0; i < ParametrosRpt::nFormulas; ++i) {
        if (!parametros.Formulas[i].isEmpty())
            manejador.Intenta(
                [&] { control.PropertyPutIndexed(PropiedadReporte::Formula, i, parametros.Formulas[i]); });
    }

    Asigna(PropiedadReporte::Destino, qint32(parametros.Propiedad15));
    Asigna(PropiedadReporte::Copias, qint32(parametros.Propiedad24));
    Asigna(PropiedadReporte::ArchivoReporte, parametros.ArchivoRpt);
    Asigna(PropiedadReporte::DobleCara, qint32(parametros.Propiedad25));
    Asigna(PropiedadReporte::ArchivoSalida, parametros.Propiedad12);
    manejador.Intenta(
        [&] { control.PropertyPutIndexed(PropiedadReporte::Impresora, 0, parametros.Propiedad30.value(0)); });
    Asigna(PropiedadReporte::TituloVentana, parametros.Propiedad13);
    Asigna(PropiedadReporte::Papel, parametros.Propiedad47);
    Asigna(PropiedadReporte::Paginas, parametros.Propiedad48);
    Asigna(PropiedadReporte::Bandeja, parametros.Propiedad49);

    // Read from the host now, so that the report logs on with the current account.
    manejador.Intenta([&] {
        const BasesDD &bases = objetos.Bases();
        control.PropertyPut(PropiedadReporte::Conexion,
                            ArmaTextoConexion(bases.cRuta, bases.cMiBase, bases.cUsuario, bases.cPassword));
    });

    Asigna(PropiedadReporte::Accion, QVariant::fromValue(qint16(1))); // runs the report
}
