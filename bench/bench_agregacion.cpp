// Times the filling of the working table on generated data, in one run:
//   (a) the floor (Piso.h): the invoices grouped by client and month and the open delivery
//       notes grouped by client, each read to the end;
//   (b) the program's aggregation: the working table rebuilt and filled;
//   (c) the literal row-by-row passes (one lookup and one update per client and month,
//       one sum and one update per client).
// Prints the medians and the ratios b/a and c/b.
//
//   bench_agregacion [--lineas 1000000] [--semilla 1] [--repeticiones 5] [--sin-porfilas] [--reusa]
// The server comes from ALMENA_PRUEBA_SERVIDOR/_PUERTO/_USUARIO/_PASSWORD, as for the tests.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "EntornoHost.h"
#include "FiltroVentas.h"
#include "GeneradorDemo.h"
#include "HostError.h"
#include "ObjetosPrograma.h"
#include "ParametrosRpt.h"
#include "Piso.h"
#include "Recordset.h"
#include "ReferenciaPorFilas.h"
#include "TablaDeTrabajo.h"

namespace {

template <class F> double Segundos(F &&accion)
{
    QElapsedTimer reloj;
    reloj.start();
    accion();
    return reloj.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser opciones;
    opciones.addHelpOption();
    opciones.addOption({QStringLiteral("lineas"), QStringLiteral("Partidas de factura."), QStringLiteral("N"),
                        QStringLiteral("1000000")});
    opciones.addOption(
        {QStringLiteral("semilla"), QStringLiteral("Semilla de los datos."), QStringLiteral("N"), QStringLiteral("1")});
    opciones.addOption({QStringLiteral("repeticiones"), QStringLiteral("Mediciones de (a) y (b)."), QStringLiteral("N"),
                        QStringLiteral("5")});
    opciones.addOption({QStringLiteral("sin-porfilas"), QStringLiteral("No mide (c), que tarda minutos.")});
    opciones.addOption({QStringLiteral("reusa"), QStringLiteral("Usa la base bench_agregacion ya cargada.")});
    opciones.process(app);

    try {
        const qint64 nLineas = opciones.value(QStringLiteral("lineas")).toLongLong();
        const int nRepeticiones = std::max(1, opciones.value(QStringLiteral("repeticiones")).toInt());
        DatosConexion datos = BaseDePrueba::Servidor();
        datos.cBase = QStringLiteral("bench_agregacion");

        if (!opciones.isSet(QStringLiteral("reusa"))) {
            Connection servidor = Connection::Abre(BaseDePrueba::Servidor());
            QSqlDatabase base = servidor.Base();
            OpcionesDemo demo;
            demo.nLineas = nLineas;
            demo.nSemilla = opciones.value(QStringLiteral("semilla")).toUInt();
            demo.dHasta = QDate(2025, 6, 1);
            demo.cBase = datos.cBase;
            const double nCarga = Segundos([&] { GeneraDatosDemo(base, demo); });
            std::printf("datos: %lld partidas, %lld clientes, cargadas en %.1f s\n", static_cast<long long>(nLineas),
                        static_cast<long long>(TamanoParaLineas(nLineas).nClientes), nCarga);
        }

        Connection cnn = Connection::Abre(datos);
        EntornoHost entorno;
        ObjetosPrograma objetos;
        objetos.Crea(entorno.fabrica, entorno.Contexto());
        const FiltrosInforme filtros{QStringLiteral("01/07/2024"), QStringLiteral("30/06/2025"), {}, {}, {}};
        const FiltroVentas filtro = FiltroVentas::Construye(filtros, objetos, cnn, 2);
        const auto columnas =
            Periodo::Columnas(QDate(2024, 7, 1), QDate(2025, 6, 30), objetos.Utilidades(), QLocale::c());

        std::vector<double> tiemposA, tiemposB;
        Piso piso;
        int nClientes = 0;
        for (int i = 0; i < nRepeticiones; ++i) {
            tiemposA.push_back(piso.Mide(cnn, filtro));
            tiemposB.push_back(Segundos([&] {
                TablaDeTrabajo::Recrea(cnn);
                nClientes = TablaDeTrabajo::Llena(cnn, filtro, columnas);
            }));
        }
        const double a = Mediana(tiemposA);
        const double b = Mediana(tiemposB);
        std::printf("(a) consultas agrupadas solas: mediana %.3f s de %d (%lld grupos cliente-mes, %lld clientes con "
                    "remisiones)\n",
                    a, nRepeticiones, static_cast<long long>(piso.nGrupos), static_cast<long long>(piso.nRemisiones));
        std::printf("(b) agregación del programa: mediana %.3f s de %d (%d clientes)\n", b, nRepeticiones, nClientes);
        std::printf("b/a = %.2f\n", b / a);

        if (!opciones.isSet(QStringLiteral("sin-porfilas"))) {
            const double c = Segundos([&] {
                TablaDeTrabajo::Recrea(cnn);
                LlenaPorFilas(objetos, cnn, filtro, columnas);
            });
            std::printf("(c) fila por fila:           %.3f s (una medición)\n", c);
            std::printf("c/b = %.1f\n", c / b);
        }
        TablaDeTrabajo::Borra(cnn);
    } catch (const HostError &error) {
        std::fprintf(stderr, "bench_agregacion: %s\n", error.what());
        return 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "bench_agregacion: %s\n", error.what());
        return 1;
    }
    return 0;
}
