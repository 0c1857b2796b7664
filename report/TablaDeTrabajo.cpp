#include "TablaDeTrabajo.h"

#include <QMap>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QStringList>

#include <utility>

#include "Connection.h"
#include "FiltroVentas.h"
#include "HostError.h"
#include "Recordset.h"

namespace {

// Rolls back what was not committed when a statement fails half way.
class Transaccion
{
public:
    explicit Transaccion(Connection &cnn) : m_cnn(cnn)
    {
        // Under the default isolation an INSERT ... SELECT puts a shared lock on every invoice
        // line it reads: slow on a million lines, and it holds up the suite's own writes for as
        // long. A committed read sees one consistent state of the data without locking it. A
        // server that logs statements as text cannot replicate that, so there the default stays.
        Recordset rs = m_cnn.Execute(QStringLiteral("select @@log_bin=1 and @@binlog_format='STATEMENT'"));
        const bool bRegistroPorSentencias = rs.Campo(0).toInt() != 0;
        rs.Cierra();
        if (!bRegistroPorSentencias)
            m_cnn.Execute(QStringLiteral("set transaction isolation level read committed"));
        m_cnn.Execute(QStringLiteral("start transaction"));
    }
    ~Transaccion()
    {
        if (!m_bConfirmada && m_cnn.EstaAbierta()) {
            try {
                m_cnn.Execute(QStringLiteral("rollback"));
            } catch (const HostError &error) {
                qWarning("No se pudo deshacer la transacción: %s", error.what());
            }
        }
    }
    void Confirma()
    {
        m_cnn.Execute(QStringLiteral("commit"));
        m_bConfirmada = true;
    }

private:
    Connection &m_cnn;
    bool m_bConfirmada = false;
};

} // namespace

namespace {

// Whether a column of this definition ("decimal(16,2) NOT NULL ...") holds numbers.
bool EsColumnaNumerica(const QString &cDefinicion)
{
    static const QRegularExpression numerica(
        QStringLiteral(
            "^(tinyint|smallint|mediumint|int|integer|bigint|decimal|dec|numeric|fixed|float|double|real)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return numerica.match(cDefinicion).hasMatch();
}

} // namespace

QString TablaDeTrabajo::DefectoDeColumna(const QString &cDefinicion)
{
    const qsizetype nDefecto = cDefinicion.indexOf(QLatin1String(" DEFAULT "));
    if (nDefecto < 0)
        return QStringLiteral("NULL");
    // MySQL writes a number's default as a quoted text ('0.00'), MariaDB bare (0.00). Added to a
    // sum as text it would make the sum a double; as the number it is, the sum stays exact.
    static const QRegularExpression numeroEntreComillas(
        QStringLiteral("^'([+-]?(?:\\d+(?:\\.\\d*)?|\\.\\d+)(?:[eE][+-]?\\d+)?)'(?:[ ,]|$)"));
    if (EsColumnaNumerica(cDefinicion)) {
        const QRegularExpressionMatch numero = numeroEntreComillas.match(cDefinicion.mid(nDefecto + 9));
        if (numero.hasMatch())
            return numero.captured(1);
    }
    const qsizetype nInicio = nDefecto + 9;
    qsizetype i = nInicio;
    if (i < cDefinicion.size() && cDefinicion[i] == u'\'') {
        for (++i; i < cDefinicion.size(); ++i) {
            if (cDefinicion[i] == u'\'' && (i + 1 >= cDefinicion.size() || cDefinicion[i + 1] != u'\''))
                break;
            if (cDefinicion[i] == u'\'')
                ++i; // a doubled quote stays inside the text
        }
        ++i;
    } else if (i < cDefinicion.size() && cDefinicion[i] == u'(') {
        for (int nNivel = 0; i < cDefinicion.size(); ++i) {
            if (cDefinicion[i] == u'(')
                ++nNivel;
            else if (cDefinicion[i] == u')' && --nNivel == 0)
                break;
        }
        ++i;
    } else {
        while (i < cDefinicion.size() && cDefinicion[i] != u' ' && cDefinicion[i] != u',')
            ++i;
    }
    return cDefinicion.mid(nInicio, i - nInicio);
}

namespace {

// The default of each column of the working table, as an SQL expression ("NULL" for none),
// by lower-case name. Read from the server's own definition of the table, one column a line
// ("  `Mes1Monto` decimal(16,2) NOT NULL DEFAULT 0.00,"): information_schema would answer the
// same through a temporary table on disk.
QMap<QString, QString> DefectosDeColumnas(Connection &cnn)
{
    Recordset rs = cnn.Execute(QStringLiteral("show create table ") + TablaDeTrabajo::cNombre);
    const QString cDefinicion = rs.FinDeFilas() ? QString() : rs.Campo(1).toString();
    QMap<QString, QString> defectos;
    static const QRegularExpression columna(QStringLiteral("^  `((?:[^`]|``)+)` (.*)$"),
                                            QRegularExpression::MultilineOption);
    for (QRegularExpressionMatchIterator it = columna.globalMatch(cDefinicion); it.hasNext();) {
        const QRegularExpressionMatch linea = it.next();
        defectos.insert(linea.captured(1).replace(QStringLiteral("``"), QStringLiteral("`")).toLower(),
                        TablaDeTrabajo::DefectoDeColumna(linea.captured(2)));
    }
    return defectos;
}

// The session as the fill needs it, whatever the server's settings, and put back afterwards:
// - strict mode: without it, a sum larger than its column would be stored clipped to the
//   column's largest value, and the report would be wrong without a word;
// - room in memory for the grouping: past the server's default limits its temporary tables
//   (16 MiB, some 25,000 clients) and its sorts (2 MiB, some 20,000 invoices) spill to disk
//   and the fill takes up to twice as long. The limits only say when to spill; memory is
//   taken as the groups and the rows to sort need it.
class SesionDelLlenado
{
public:
    static constexpr qint64 nMemoriaDeAgrupacion = 256 * 1024 * 1024;

    explicit SesionDelLlenado(Connection &cnn) : m_cnn(cnn)
    {
        Recordset rs = m_cnn.Execute(QStringLiteral("select @@session.sql_mode, @@session.tmp_table_size, "
                                                    "@@session.max_heap_table_size, @@session.sort_buffer_size"));
        m_cModo = rs.Campo(0).toString();
        m_nTemporales = rs.Campo(1).toLongLong();
        m_nEnMemoria = rs.Campo(2).toLongLong();
        m_nOrden = rs.Campo(3).toLongLong();
        rs.Cierra();
        m_cnn.Execute(QStringLiteral("set session sql_mode=concat_ws(',', nullif(@@session.sql_mode, ''), "
                                     "'STRICT_ALL_TABLES'), tmp_table_size=greatest(@@session.tmp_table_size, %1), "
                                     "max_heap_table_size=greatest(@@session.max_heap_table_size, %1), "
                                     "sort_buffer_size=greatest(@@session.sort_buffer_size, %1)")
                          .arg(nMemoriaDeAgrupacion));
    }
    ~SesionDelLlenado()
    {
        if (!m_cnn.EstaAbierta())
            return;
        try {
            m_cnn.Execute(QStringLiteral("set session sql_mode='%1', tmp_table_size=%2, max_heap_table_size=%3, "
                                         "sort_buffer_size=%4")
                              .arg(m_cnn.Escapa(m_cModo))
                              .arg(m_nTemporales)
                              .arg(m_nEnMemoria)
                              .arg(m_nOrden));
        } catch (const HostError &error) {
            qWarning("No se pudo restablecer la sesión tras llenar la tabla de trabajo: %s", error.what());
        }
    }

private:
    Connection &m_cnn;
    QString m_cModo;
    qint64 m_nTemporales = 0;
    qint64 m_nEnMemoria = 0;
    qint64 m_nOrden = 0;
};

// A failure of the fill in the user's words where the server's would not say what happened.
HostError FallaDelLlenado(const HostError &error)
{
    constexpr int nFueraDeRango = 1264;      // ER_WARN_DATA_OUT_OF_RANGE
    constexpr int nBloqueoSinLiberar = 1205; // ER_LOCK_WAIT_TIMEOUT
    if (error.Numero() == nBloqueoSinLiberar)
        return HostError(error.Numero(),
                         QStringLiteral("Las facturas están bloqueadas por otra sesión (o las remisiones, "
                                        "que el informe lee con ellas); el informe no se generó. "
                                        "Intente de nuevo cuando esa sesión termine. %1")
                             .arg(error.Descripcion()));
    if (error.Numero() == nFueraDeRango) {
        const QRegularExpressionMatch columna =
            QRegularExpression(QStringLiteral("column '([^']*)'")).match(error.Descripcion());
        return HostError(error.Numero(),
                         QStringLiteral("Una suma no cabe en la columna %1 de la tabla de trabajo %2: la plantilla "
                                        "almenareportes.ventas12meses no admite un importe o una cantidad tan grande "
                                        "(%3).")
                             .arg(columna.hasMatch() ? columna.captured(1) : QStringLiteral("?"),
                                  TablaDeTrabajo::cNombre, error.Descripcion()));
    }
    return error;
}

QString Columna(const char *cTipo, int nPosicion)
{
    return QStringLiteral("Mes%1%2").arg(nPosicion).arg(QLatin1String(cTipo));
}

// The character set and collation of a text column ("utf8mb4", "utf8mb4_unicode_ci"); empty for
// a column that holds no text or does not exist. cBase is an SQL expression: database() for
// the host's main database.
std::pair<QString, QString> IntercalacionDe(Connection &cnn, const QString &cBase, const QString &cTabla,
                                            const QString &cColumna)
{
    Recordset rs =
        cnn.Execute(QStringLiteral("select CHARACTER_SET_NAME, COLLATION_NAME from information_schema.COLUMNS "
                                   "where TABLE_SCHEMA=%1 and TABLE_NAME='%2' and COLUMN_NAME='%3'")
                        .arg(cBase, cTabla, cColumna));
    if (rs.FinDeFilas() || rs.Campo(1).isNull())
        return {};
    return {rs.Campo(0).toString(), rs.Campo(1).toString()};
}

// The template's definition with its key column Cliente in the character set and collation of
// the host's client codes (clientes.Clave). A template made on another server, or before a
// migration, may have another collation (MySQL 8 gives a new table utf8mb4_0900_ai_ci), and the
// report's join of the working table with the clients would then stop with "Illegal mix of
// collations" (1267). With the key as the clients have it, every later join is plain.
QString ConClaveComoLaDeLosClientes(Connection &cnn, const QString &cCrea)
{
    const auto [cJuego, cIntercalacion] =
        IntercalacionDe(cnn, QStringLiteral("database()"), QStringLiteral("clientes"), QStringLiteral("Clave"));
    const auto [cJuegoPlantilla, cIntercalacionPlantilla] = IntercalacionDe(
        cnn, QStringLiteral("'almenareportes'"), QStringLiteral("ventas12meses"), QStringLiteral("Cliente"));
    if (cIntercalacion.isEmpty() || cIntercalacionPlantilla.isEmpty() || cIntercalacion == cIntercalacionPlantilla)
        return cCrea;
    // "  `Cliente` varchar(20) CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci NOT NULL,": the
    // type, then what the server wrote of its character set and collation, if anything.
    static const QRegularExpression clave(
        QStringLiteral("^(  `Cliente` [a-z]+(?:\\([^)]*\\))?)((?: CHARACTER SET \\w+)?(?: COLLATE \\w+)?)"),
        QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch linea = clave.match(cCrea);
    if (!linea.hasMatch())
        return cCrea;
    return cCrea.left(linea.capturedEnd(1)) +
           QStringLiteral(" CHARACTER SET %1 COLLATE %2").arg(cJuego, cIntercalacion) + cCrea.mid(linea.capturedEnd(2));
}

} // namespace

namespace TablaDeTrabajo {

int DetieneLlenadosHuerfanos(Connection &cnn)
{
    // Without the PROCESS privilege the list holds the account's own sessions only: those of
    // another account are not seen and the DROP waits for them, as long as the wait for locks.
    Recordset rs = cnn.Execute(QStringLiteral("select ID from information_schema.PROCESSLIST where ID <> "
                                              "connection_id() and DB = database() and COMMAND = 'Query' and "
                                              "INFO like '%%1%'")
                                   .arg(cNombre));
    QList<qint64> sesiones;
    for (; !rs.FinDeFilas(); rs.Siguiente())
        sesiones << rs.Campo(0).toLongLong();
    rs.Cierra();
    for (const qint64 nSesion : sesiones) {
        try {
            cnn.Execute(QStringLiteral("kill query %1").arg(nSesion));
        } catch (const HostError &error) {
            // Ended meanwhile (1094), or another account's: the DROP then waits as before.
            qWarning("No se detuvo la sentencia %lld que quedó de otra corrida: %s", nSesion, error.what());
        }
    }
    return int(sesiones.size());
}

void Recrea(Connection &cnn)
{
    Recordset rs = cnn.Execute(QStringLiteral("Show create table almenareportes.ventas12meses"));
    if (rs.FinDeFilas())
        throw HostError(CodigoErrorHost::SinFilaActual,
                        QStringLiteral("No se obtuvo la definición de almenareportes.ventas12meses"));
    QString cCrea = rs.Campo(1).toString();
    rs.Cierra();
    cCrea.replace(QStringLiteral("ventas12meses"), cNombre);
    cCrea = ConClaveComoLaDeLosClientes(cnn, cCrea);
    cnn.Execute(QStringLiteral("Drop table if exists ") + cNombre);
    cnn.Execute(cCrea);
}

int Llena(Connection &cnn, const FiltroVentas &filtro, const std::vector<MonthColumn> &columnas)
{
    const QMap<QString, QString> defectos = DefectosDeColumnas(cnn);

    // The filtered invoice lines are first added up per invoice: an invoice's lines share its
    // client and its date, and grouping on the invoice's number is much cheaper than on the
    // client's code. The invoices then give one row per client with a sum per month column, the
    // same sums as grouping the lines by client and month; an invoice without lines (NULL
    // sums) adds 0.
    QStringList sumas;
    QStringList destinos{QStringLiteral("Cliente")};
    QStringList valores{QStringLiteral("g.Cliente")};
    QStringList acumulados;
    for (const MonthColumn &columna : columnas) {
        const QString cCondicion = QStringLiteral("Periodo=%1").arg(columna.nAnio * 100 + columna.nMes);
        for (const auto &[cTipo, cCampo] : {std::pair{"Monto", "Importe"}, std::pair{"Cant", "Cantidad"}}) {
            const QString cColumna = Columna(cTipo, columna.nPosicion);
            const QString cAlias = QStringLiteral("s%1%2").arg(columna.nPosicion).arg(QLatin1String(cTipo));
            sumas << QStringLiteral("coalesce(sum(if(%1,%2,null)),0) as %3")
                         .arg(cCondicion, QLatin1String(cCampo), cAlias);
            destinos << cColumna;
            valores << QStringLiteral("(%1)+g.%2").arg(defectos.value(cColumna.toLower(), QStringLiteral("0")), cAlias);
            acumulados << QStringLiteral("%1=%1+g.%2").arg(cColumna, cAlias);
        }
    }
    // A client's code as the working table's key holds it: in the key's character set and
    // collation, so that the invoices' and the delivery notes' codes meet whatever collation
    // each host table has. Under a collation that does not pad ("C1" and "C1 " are two keys
    // under MySQL 8's utf8mb4_0900_ai_ci) the code also loses its trailing blanks, so that codes
    // that differ only in them are one client there too, as they are under one that pads (where
    // the code is kept as the invoices have it).
    const auto [cJuego, cIntercalacion] =
        IntercalacionDe(cnn, QStringLiteral("database()"), cNombre, QStringLiteral("Cliente"));
    QString cClave = QStringLiteral("%1");
    // Codes that one client's group holds in several spellings ("C1", "C1 ") give the row the
    // first of them in byte order, whichever the server read first.
    QString cCodigoDelGrupo = QStringLiteral("Cliente");
    if (!cIntercalacion.isEmpty()) {
        Recordset rs =
            cnn.Execute(QStringLiteral("select convert('a' using %1) collate %2 = 'a '").arg(cJuego, cIntercalacion));
        const bool bRellena = rs.Campo(0).toInt() != 0;
        rs.Cierra();
        cClave = QStringLiteral("convert(%1 using %2) collate %3")
                     .arg(bRellena ? QStringLiteral("%1") : QStringLiteral("rtrim(%1)"), cJuego, cIntercalacion);
        cCodigoDelGrupo = QStringLiteral("convert(min(cast(Cliente as binary)) using %1) collate %2 as Cliente")
                              .arg(cJuego, cIntercalacion);
    }
    const auto clave = [&cClave](const QString &cCodigo) {
        return QString(cClave).replace(QLatin1String("%1"), cCodigo);
    };
    // min() only names the invoice's single client and date, so that servers that demand every
    // selected column be grouped or aggregated accept the query too.
    const QString cPorFactura = QStringLiteral("select %1 as Cliente,extract(year_month from min(Fecha)) as Periodo,"
                                               "sum(Cantidad) as Cantidad,sum(Cantidad * PrecioNeto) as Importe from ")
                                    .arg(clave(QStringLiteral("min(Cliente)"))) +
                                filtro.cFacturas + QStringLiteral(" group by facturas.Id order by null");
    // Grouped by sorting (SQL_BIG_RESULT): with tens of thousands of clients, adding each
    // invoice into a hash table row of 24 sums costs more than sorting the invoices by client
    // and adding them up in passing, and the rows then reach the table's key in its order.
    const QString cPorCliente =
        QStringLiteral("select SQL_BIG_RESULT %1%2 from (%3) f group by f.Cliente order by null")
            .arg(cCodigoDelGrupo, sumas.isEmpty() ? QString() : QLatin1Char(',') + sumas.join(QLatin1Char(',')),
                 cPorFactura);
    // Every open delivery note of the client in the currency, whatever its date.
    const QString cRemisiones = QStringLiteral("select Cliente,sum(Cantidad) as Total from (select %1 as Cliente,"
                                               "Cantidad from %2) n group by Cliente order by null")
                                    .arg(clave(QStringLiteral("Cliente")), filtro.cRemisiones);
    destinos << QStringLiteral("TotalCantRemis");
    valores << QStringLiteral("coalesce(r.Total,0)");
    acumulados << QStringLiteral("TotalCantRemis=coalesce(r.Total,0)");
    // A client code that the working table's key counts equal to one already in it (another
    // letter case) adds to that row, as a lookup by code would.
    const QString cInserta =
        QStringLiteral("insert into %1 (%2) select %3 from (%4) g left join (%5) r on r.Cliente=g.Cliente "
                       "on duplicate key update %6")
            .arg(cNombre, destinos.join(QLatin1Char(',')), valores.join(QLatin1Char(',')), cPorCliente, cRemisiones,
                 acumulados.join(QLatin1Char(',')));

    const SesionDelLlenado sesion(cnn);
    Transaccion transaccion(cnn);
    try {
        cnn.Execute(cInserta);
    } catch (const HostError &error) {
        throw FallaDelLlenado(error);
    }
    transaccion.Confirma();

    Recordset rs = cnn.Execute(QStringLiteral("select count(*) from %1").arg(cNombre));
    return rs.Campo(0).toInt();
}

void Borra(Connection &cnn)
{
    cnn.Execute(QStringLiteral("Drop table if exists ") + cNombre);
}

} // namespace TablaDeTrabajo
