#include "GeneradorDemo.h"

#include "Azar.h"
#include "CatalogosDemo.h"
#include "EsquemaDemo.h"
#include "InsercionPorLotes.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int nFilasPorSentencia = 2000;
constexpr qint64 nPartidasPorTransaccion = 100000;
constexpr int nVendedores = 15;
constexpr qint64 nPesosPorDolar = 18;

struct Cliente
{
    std::string cClave;
    int nVendedor; // index into the salespeople
    bool bCompra;  // false: the client never gets an invoice
};

struct Producto
{
    std::string cClave;
    qint64 nPrecio; // cents
};

struct Contexto
{
    QSqlDatabase &db;
    Azar azar;
    QDate dDesde;
    QDate dHasta;
    const std::function<void(QString)> &progreso;

    void avisa(const QString &mensaje) const
    {
        if (progreso)
            progreso(mensaje);
    }
};

std::string Clave(const char *prefijo, qint64 numero, int digitos)
{
    char texto[40];
    std::snprintf(texto, sizeof texto, "%s%0*lld", prefijo, digitos, static_cast<long long>(numero));
    return texto;
}

// Dates drawn uniformly over the period and sorted, so that Id and Folio grow with the date
// as they do in a real system.
std::vector<QDate> FechasOrdenadas(Contexto &ctx, qint64 cuantas)
{
    const qint64 primerDia = ctx.dDesde.toJulianDay();
    const qint64 ultimoDia = ctx.dHasta.toJulianDay();
    std::vector<qint64> dias(static_cast<std::size_t>(cuantas));
    for (auto &dia : dias)
        dia = ctx.azar.entre(primerDia, ultimoDia);
    std::sort(dias.begin(), dias.end());
    std::vector<QDate> fechas;
    fechas.reserve(dias.size());
    for (const qint64 dia : dias)
        fechas.push_back(QDate::fromJulianDay(dia));
    return fechas;
}

// Mostly whole quantities, some with a fraction such as 2.50 (cents).
qint64 CantidadAlAzar(Azar &azar)
{
    if (azar.porMil(150))
        return azar.entre(1, 20) * 100 + 25 * azar.entre(1, 3);
    if (azar.porMil(750))
        return azar.entre(1, 10) * 100;
    return azar.entre(11, 100) * 100;
}

qint64 Importe(qint64 cantidad, qint64 precio)
{
    return (cantidad * precio + 50) / 100;
}

void CargaLineas(Contexto &ctx)
{
    InsercionPorLotes lote(ctx.db, "INSERT INTO lineas (ID,Linea) VALUES ");
    for (const auto &linea : LineasDeProducto())
        lote.nueva().entero(linea.nId).texto(linea.cNombre).cierra();
    lote.envia();
}

std::vector<std::string> CargaVendedores(Contexto &ctx)
{
    InsercionPorLotes lote(ctx.db, "INSERT INTO vendedores (Clave,Nombre) VALUES ");
    std::vector<std::string> claves;
    std::set<std::string> nombres;
    for (int n = 1; n <= nVendedores; ++n) {
        std::string nombre;
        do
            nombre = NombreDePersona(ctx.azar);
        while (!nombres.insert(nombre).second);
        claves.push_back(Clave("V", n, 2));
        lote.nueva().texto(claves.back()).texto(nombre).cierra();
    }
    lote.envia();
    return claves;
}

std::vector<Cliente> CargaClientes(Contexto &ctx, qint64 cuantos)
{
    InsercionPorLotes lote(ctx.db, "INSERT INTO clientes (Clave,Nombre,Ciudad) VALUES ", nFilasPorSentencia);
    std::vector<Cliente> clientes;
    clientes.reserve(static_cast<std::size_t>(cuantos));
    std::set<std::string> nombres;
    for (qint64 n = 1; n <= cuantos; ++n) {
        // Repeated names are allowed only when the catalogue runs short.
        std::string nombre = NombreDeCliente(ctx.azar);
        for (int intento = 0; intento < 20 && !nombres.insert(nombre).second; ++intento)
            nombre = NombreDeCliente(ctx.azar);
        const int vendedor = static_cast<int>(ctx.azar.entre(0, nVendedores - 1));
        // About 5% never buy; the last client never does, so there is always one.
        const bool compra = n < cuantos && !ctx.azar.porMil(50);
        clientes.push_back({Clave("C", n, 5), vendedor, compra});
        lote.nueva().texto(clientes.back().cClave).texto(nombre).texto(CiudadAlAzar(ctx.azar)).cierra();
    }
    lote.envia();
    return clientes;
}

std::vector<Producto> CargaProductos(Contexto &ctx, qint64 cuantos)
{
    InsercionPorLotes lote(ctx.db, "INSERT INTO productos (Clave,Descripcion,Linea,Precio) VALUES ",
                           nFilasPorSentencia);
    const auto &lineas = LineasDeProducto();
    std::vector<Producto> productos;
    productos.reserve(static_cast<std::size_t>(cuantos));
    for (qint64 n = 0; n < cuantos; ++n) {
        const auto &linea = lineas[static_cast<std::size_t>(n) % lineas.size()];
        const int numeroEnLinea = static_cast<int>(n / static_cast<qint64>(lineas.size()));
        const qint64 precio = ctx.azar.entre(linea.nPrecioMinimo * 100LL, linea.nPrecioMaximo * 100LL);
        productos.push_back({Clave((std::string(linea.cPrefijoClave) + "-").c_str(), numeroEnLinea + 1, 4), precio});
        lote.nueva()
            .texto(productos.back().cClave)
            .texto(DescripcionDeProducto(linea, numeroEnLinea))
            .entero(linea.nId)
            .centavos(precio)
            .cierra();
    }
    lote.envia();
    return productos;
}

// Line counts of the invoices: 1 to 7 each (about 4 on average), adding up to nLineas.
std::vector<int> PartidasPorFactura(Azar &azar, qint64 nLineas)
{
    std::vector<int> partidas;
    for (qint64 restantes = nLineas; restantes > 0;) {
        const int n = static_cast<int>(std::min<qint64>(azar.entre(1, 7), restantes));
        partidas.push_back(n);
        restantes -= n;
    }
    return partidas;
}

void CargaFacturas(Contexto &ctx, qint64 nLineas, const std::vector<Cliente> &clientes,
                   const std::vector<std::string> &vendedores, const std::vector<Producto> &productos)
{
    std::vector<const Cliente *> compradores;
    for (const auto &cliente : clientes)
        if (cliente.bCompra)
            compradores.push_back(&cliente);
    // A tenth of the buyers get about a third of the invoices.
    const auto nFrecuentes = std::max<qint64>(1, static_cast<qint64>(compradores.size()) / 10);

    const std::vector<int> partidas = PartidasPorFactura(ctx.azar, nLineas);
    const std::vector<QDate> fechas = FechasOrdenadas(ctx, static_cast<qint64>(partidas.size()));

    InsercionPorLotes facturas(
        ctx.db, "INSERT INTO facturas (Id,Folio,Fecha,Cliente,Vendedor,Cancelada,Moneda) VALUES ", nFilasPorSentencia);
    InsercionPorLotes detalle(ctx.db, "INSERT INTO facturasdetalle (Id,Partida,Producto,Cantidad,PrecioNeto) VALUES ",
                              nFilasPorSentencia);
    const auto nProductos = static_cast<qint64>(productos.size());
    qint64 partidasEscritas = 0;
    EjecutaSql(ctx.db, QStringLiteral("START TRANSACTION"));
    for (std::size_t i = 0; i < partidas.size(); ++i) {
        const qint64 id = static_cast<qint64>(i) + 1;
        const bool frecuente = ctx.azar.porMil(300);
        const auto &cliente = *compradores[static_cast<std::size_t>(
            ctx.azar.entre(0, (frecuente ? nFrecuentes : static_cast<qint64>(compradores.size())) - 1))];
        const int vendedor =
            ctx.azar.porMil(900) ? cliente.nVendedor : static_cast<int>(ctx.azar.entre(0, nVendedores - 1));
        const bool cancelada = ctx.azar.porMil(20);
        facturas.nueva()
            .entero(id)
            .entero(id + 5000)
            .fecha(fechas[i])
            .texto(cliente.cClave)
            .texto(vendedores[static_cast<std::size_t>(vendedor)])
            .entero(cancelada ? 1 : 0)
            .entero(1)
            .cierra();

        for (int partida = 1; partida <= partidas[i]; ++partida) {
            const auto &producto = productos[static_cast<std::size_t>(ctx.azar.entre(0, nProductos - 1))];
            const qint64 descuento = ctx.azar.porMil(600) ? 0 : ctx.azar.entre(1, 15);
            const qint64 precioNeto = (producto.nPrecio * (100 - descuento) + 50) / 100;
            detalle.nueva()
                .entero(id)
                .entero(partida)
                .texto(producto.cClave)
                .centavos(CantidadAlAzar(ctx.azar))
                .centavos(precioNeto)
                .cierra();
            if (++partidasEscritas % nPartidasPorTransaccion == 0) {
                facturas.envia();
                detalle.envia();
                EjecutaSql(ctx.db, QStringLiteral("COMMIT"));
                ctx.avisa(QStringLiteral("Facturas: %L1 de %L2 partidas").arg(partidasEscritas).arg(nLineas));
                EjecutaSql(ctx.db, QStringLiteral("START TRANSACTION"));
            }
        }
    }
    facturas.envia();
    detalle.envia();
    EjecutaSql(ctx.db, QStringLiteral("COMMIT"));
    ctx.avisa(QStringLiteral("Facturas: %L1 facturas con %L2 partidas").arg(facturas.filasEnviadas()).arg(nLineas));
}

void CargaRemisiones(Contexto &ctx, qint64 cuantas, const std::vector<Cliente> &clientes,
                     const std::vector<Producto> &productos)
{
    const std::vector<QDate> fechas = FechasOrdenadas(ctx, cuantas);
    InsercionPorLotes remisiones(
        ctx.db, "INSERT INTO remisiones (Id,Folio,Fecha,Cliente,Moneda,Saldo,Cancelada) VALUES ", nFilasPorSentencia);
    InsercionPorLotes detalle(ctx.db, "INSERT INTO remisionesdetalle (Id,Partida,Producto,Cantidad,Precio) VALUES ",
                              nFilasPorSentencia);
    const auto nClientes = static_cast<qint64>(clientes.size());
    const auto nProductos = static_cast<qint64>(productos.size());
    EjecutaSql(ctx.db, QStringLiteral("START TRANSACTION"));
    for (qint64 id = 1; id <= cuantas; ++id) {
        const auto &cliente = clientes[static_cast<std::size_t>(ctx.azar.entre(0, nClientes - 1))];
        const bool enDolares = ctx.azar.porMil(400);
        const auto nPartidas = ctx.azar.entre(1, 3);
        qint64 total = 0;
        for (int partida = 1; partida <= nPartidas; ++partida) {
            const auto &producto = productos[static_cast<std::size_t>(ctx.azar.entre(0, nProductos - 1))];
            const qint64 precio = enDolares ? std::max<qint64>(1, producto.nPrecio / nPesosPorDolar) : producto.nPrecio;
            const qint64 cantidad = CantidadAlAzar(ctx.azar);
            total += Importe(cantidad, precio);
            detalle.nueva()
                .entero(id)
                .entero(partida)
                .texto(producto.cClave)
                .centavos(cantidad)
                .centavos(precio)
                .cierra();
        }
        const qint64 saldo = ctx.azar.porMil(600) ? std::max<qint64>(1, total * ctx.azar.entre(10, 100) / 100) : 0;
        const bool cancelada = ctx.azar.porMil(30);
        remisiones.nueva()
            .entero(id)
            .entero(id + 2000)
            .fecha(fechas[static_cast<std::size_t>(id - 1)])
            .texto(cliente.cClave)
            .entero(enDolares ? 2 : 1)
            .centavos(saldo)
            .entero(cancelada ? 1 : 0)
            .cierra();
    }
    remisiones.envia();
    detalle.envia();
    EjecutaSql(ctx.db, QStringLiteral("COMMIT"));
    ctx.avisa(QStringLiteral("Remisiones: %L1 con %L2 partidas").arg(cuantas).arg(detalle.filasEnviadas()));
}

void ValidaOpciones(QSqlDatabase &db, const OpcionesDemo &opciones)
{
    if (!db.isOpen())
        throw std::runtime_error("la conexión a la base de datos no está abierta");
    if (opciones.nLineas < 1)
        throw std::runtime_error("el número de partidas debe ser al menos 1, no " + std::to_string(opciones.nLineas));
    static const QRegularExpression nombreValido(QStringLiteral("^[A-Za-z0-9_]{1,64}$"));
    if (!nombreValido.match(opciones.cBase).hasMatch())
        throw std::runtime_error("nombre de base de datos no válido: «" + opciones.cBase.toStdString() +
                                 "» (solo letras, dígitos y _)");
}

} // namespace

TamanoDemo TamanoParaLineas(qint64 nLineas, qint64 nClientes)
{
    return {nClientes > 0 ? nClientes : std::max<qint64>(20, nLineas / 100), std::max<qint64>(50, nLineas / 2000),
            std::max<qint64>(1, nLineas / 10)};
}

QDate PrimerDiaDelPeriodo(QDate hasta)
{
    return QDate(hasta.year(), hasta.month(), 1).addMonths(-23);
}

QDate UltimoDiaDelPeriodo(QDate hasta)
{
    return QDate(hasta.year(), hasta.month(), 1).addMonths(1).addDays(-1);
}

void GeneraDatosDemo(QSqlDatabase &db, const OpcionesDemo &opciones, std::function<void(QString)> progreso)
{
    ValidaOpciones(db, opciones);
    const QDate hasta = opciones.dHasta.isValid() ? opciones.dHasta : QDate::currentDate();
    Contexto ctx{db, Azar(opciones.nSemilla), PrimerDiaDelPeriodo(hasta), UltimoDiaDelPeriodo(hasta), progreso};
    const TamanoDemo tamano = TamanoParaLineas(opciones.nLineas, opciones.nClientes);

    ctx.avisa(QStringLiteral("Creando la base %1 (facturas del %2 al %3)")
                  .arg(opciones.cBase, ctx.dDesde.toString(Qt::ISODate), ctx.dHasta.toString(Qt::ISODate)));
    EjecutaSql(db, QStringLiteral("SET SESSION unique_checks=0, foreign_key_checks=0"));
    CreaBaseDeReportes(db);
    CreaBaseDelHost(db, opciones.cBase);

    CargaLineas(ctx);
    const auto vendedores = CargaVendedores(ctx);
    const auto clientes = CargaClientes(ctx, tamano.nClientes);
    const auto productos = CargaProductos(ctx, tamano.nProductos);
    ctx.avisa(QStringLiteral("Catálogos: %L1 clientes, %L2 productos, %3 vendedores")
                  .arg(tamano.nClientes)
                  .arg(tamano.nProductos)
                  .arg(nVendedores));
    CargaFacturas(ctx, opciones.nLineas, clientes, vendedores, productos);
    CargaRemisiones(ctx, tamano.nRemisiones, clientes, productos);
    EjecutaSql(db, QStringLiteral("SET SESSION unique_checks=1, foreign_key_checks=1"));
}
