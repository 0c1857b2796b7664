#include "LectorOdbc.h"

#include <QStringList>

#include <sql.h>
#include <sqlext.h>

#include <optional>
#include <vector>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager's wide characters are UTF-16");

// The rows one fetch brings, and the memory their buffers may take.
constexpr SQLULEN nFilasPorBloque = 512;
constexpr qsizetype nBytesPorBloque = 8 * 1024 * 1024;
// The longest text value read: a report cell never shows more.
constexpr SQLULEN nCaracteresMaximos = 65536;

SQLWCHAR *Ancho(const QString &cTexto)
{
    // The driver reads input strings only; its functions take them without const.
    return const_cast<SQLWCHAR *>(reinterpret_cast<const SQLWCHAR *>(cTexto.utf16()));
}

QString DeAncho(const SQLWCHAR *pTexto, qsizetype nCaracteres)
{
    return QString(reinterpret_cast<const QChar *>(pTexto), nCaracteres);
}

// One handle of the driver manager, freed when it goes (a connection is closed first).
class Manejador
{
public:
    Manejador(SQLSMALLINT nTipo, SQLHANDLE padre) : m_nTipo(nTipo)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(nTipo, padre, &m_manejador)))
            m_manejador = SQL_NULL_HANDLE;
    }
    ~Manejador()
    {
        if (m_manejador == SQL_NULL_HANDLE)
            return;
        if (m_bConectado)
            SQLDisconnect(m_manejador);
        SQLFreeHandle(m_nTipo, m_manejador);
    }
    Manejador(const Manejador &) = delete;
    Manejador &operator=(const Manejador &) = delete;

    SQLHANDLE operator*() const { return m_manejador; }
    bool Valido() const { return m_manejador != SQL_NULL_HANDLE; }
    void Conectado() { m_bConectado = true; }

    // The driver's diagnostics of the last call on this handle, "[number] text" each.
    QString Diagnostico() const
    {
        QStringList textos;
        for (SQLSMALLINT nRegistro = 1;; ++nRegistro) {
            SQLWCHAR estado[6];
            SQLINTEGER nNativo = 0;
            SQLWCHAR texto[1024];
            SQLSMALLINT nLargo = 0;
            if (!SQL_SUCCEEDED(SQLGetDiagRecW(m_nTipo, m_manejador, nRegistro, estado, &nNativo, texto,
                                              SQLSMALLINT(std::size(texto)), &nLargo)))
                break;
            const QString cTexto =
                DeAncho(texto, qBound(qsizetype(0), qsizetype(nLargo), qsizetype(std::size(texto)) - 1));
            textos.append(nNativo != 0 ? QStringLiteral("[%1] %2").arg(nNativo).arg(cTexto) : cTexto);
        }
        return textos.isEmpty() ? QStringLiteral("el controlador ODBC no dio más detalles")
                                : textos.join(QLatin1Char(' '));
    }

private:
    SQLSMALLINT m_nTipo;
    SQLHANDLE m_manejador = SQL_NULL_HANDLE;
    bool m_bConectado = false;
};

// What the user can do about a connection that failed before reaching the server: the data
// source, or its driver, is not where the driver manager looks.
QString QueHacer(const QString &cTextoDelError, const QString &cOrigenDatos)
{
    const bool bSinOrigen = cTextoDelError.contains(QLatin1String("Data source name not found"), Qt::CaseInsensitive);
    const bool bSinControlador = cTextoDelError.contains(QLatin1String("Can't open lib"), Qt::CaseInsensitive);
    if (!bSinOrigen && !bSinControlador)
        return {};
    return QStringLiteral(" El origen de datos «%1» no está registrado o su controlador no está instalado: instale el "
                          "controlador ODBC de MariaDB (paquete odbc-mariadb) y registre los orígenes de datos con "
                          "scripts/registra-odbc.sh.")
        .arg(cOrigenDatos);
}

[[noreturn]] void FallaLaConsulta(const QString &cQue, const Manejador &sentencia)
{
    throw ErrorReporte(CodigoErrorRpt::ConsultaFallida, QStringLiteral("%1: %2").arg(cQue, sentencia.Diagnostico()));
}

// One column of the result, bound to the buffers of a block of rows. Texts come as UTF-8 (the
// connection's character set, which Lee sets), as the rows keep them: the driver's own
// conversion to UTF-16 opens a converter for every value. Bytes come as they are, and
// everything else (numbers, dates) as the driver's ASCII text.
class ColumnaLigada
{
public:
    ColumnaLigada(SQLSMALLINT nTipoSql, SQLULEN nTamano)
    {
        const SQLULEN nCaracteres = qBound<SQLULEN>(1, nTamano, nCaracteresMaximos);
        switch (nTipoSql) {
        case SQL_CHAR:
        case SQL_VARCHAR:
        case SQL_LONGVARCHAR:
        case SQL_WCHAR:
        case SQL_WVARCHAR:
        case SQL_WLONGVARCHAR:
            m_nTipoC = SQL_C_CHAR;
            m_nAncho = SQLLEN(4 * nCaracteres + 1); // a character may take four bytes
            break;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            m_nTipoC = SQL_C_BINARY;
            m_nAncho = SQLLEN(4 * nCaracteres);
            break;
        default:
            m_nTipoC = SQL_C_CHAR;
            m_nAncho = SQLLEN(nCaracteres + 48); // sign, point, exponent, a date's separators
            break;
        }
    }

    qsizetype AnchoDeFila() const { return m_nAncho + qsizetype(sizeof(SQLLEN)); }

    void Liga(const Manejador &sentencia, SQLUSMALLINT nColumna, SQLULEN nFilas)
    {
        m_valores.resize(size_t(m_nAncho) * nFilas);
        m_largos.resize(nFilas);
        if (!SQL_SUCCEEDED(SQLBindCol(*sentencia, nColumna, m_nTipoC, m_valores.data(), m_nAncho, m_largos.data())))
            FallaLaConsulta(QStringLiteral("No se pudo leer la columna %1 de la consulta del reporte").arg(nColumna),
                            sentencia);
    }

    // The value of the fetched block's row nFila; a null view for NULL, nullopt when the
    // driver had to cut it.
    std::optional<QByteArrayView> Valor(SQLULEN nFila) const
    {
        const SQLLEN nLargo = m_largos[nFila];
        if (nLargo == SQL_NULL_DATA)
            return QByteArrayView();
        const SQLLEN nCabe = m_nTipoC == SQL_C_BINARY ? m_nAncho : m_nAncho - 1;
        if (nLargo == SQL_NO_TOTAL || nLargo > nCabe)
            return std::nullopt;
        return QByteArrayView(m_valores.data() + size_t(m_nAncho) * nFila, nLargo);
    }

private:
    SQLSMALLINT m_nTipoC = SQL_C_CHAR;
    SQLLEN m_nAncho = 0;
    std::vector<char> m_valores;
    std::vector<SQLLEN> m_largos;
};

bool EsNumeroExacto(SQLSMALLINT nTipoSql)
{
    switch (nTipoSql) {
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: return true;
    default: return false;
    }
}

DatosReporte LeeConsulta(const Manejador &conexion, const QString &cSql, int nSegundosRespuesta)
{
    const Manejador sentencia(SQL_HANDLE_STMT, *conexion);
    if (!sentencia.Valido())
        FallaLaConsulta(QStringLiteral("La consulta del reporte falló"), sentencia);
    // See Lee: a driver that does not bound the query this way has the connection text's wait.
    if (nSegundosRespuesta > 0)
        SQLSetStmtAttr(*sentencia, SQL_ATTR_QUERY_TIMEOUT, SQLPOINTER(SQLULEN(nSegundosRespuesta)), 0);
    if (!SQL_SUCCEEDED(SQLExecDirectW(*sentencia, Ancho(cSql), SQL_NTS)))
        FallaLaConsulta(QStringLiteral("La consulta del reporte falló"), sentencia);

    SQLSMALLINT nCampos = 0;
    SQLNumResultCols(*sentencia, &nCampos);
    DatosReporte datos;
    std::vector<ColumnaLigada> columnas;
    qsizetype nAnchoDeFila = 0;
    for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(nCampos); ++i) {
        SQLWCHAR nombre[512];
        SQLSMALLINT nLargoNombre = 0, nTipoSql = 0, nDecimales = 0, nNulo = 0;
        SQLULEN nTamano = 0;
        if (!SQL_SUCCEEDED(SQLDescribeColW(*sentencia, i, nombre, SQLSMALLINT(std::size(nombre)), &nLargoNombre,
                                           &nTipoSql, &nTamano, &nDecimales, &nNulo)))
            FallaLaConsulta(QStringLiteral("No se pudo conocer la columna %1 de la consulta del reporte").arg(i),
                            sentencia);
        datos.campos.append(
            DeAncho(nombre, qBound(qsizetype(0), qsizetype(nLargoNombre), qsizetype(std::size(nombre)) - 1)));
        datos.escalas.append(EsNumeroExacto(nTipoSql) ? nDecimales : -1);
        columnas.emplace_back(nTipoSql, nTamano);
        nAnchoDeFila += columnas.back().AnchoDeFila();
    }
    if (nCampos == 0)
        return datos;

    const SQLULEN nFilas =
        qBound<SQLULEN>(1, SQLULEN(nBytesPorBloque / qMax<qsizetype>(1, nAnchoDeFila)), nFilasPorBloque);
    SQLULEN nTraidas = 0;
    std::vector<SQLUSMALLINT> estados(nFilas);
    SQLSetStmtAttr(*sentencia, SQL_ATTR_ROW_BIND_TYPE, SQLPOINTER(SQL_BIND_BY_COLUMN), 0);
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(*sentencia, SQL_ATTR_ROW_ARRAY_SIZE, SQLPOINTER(nFilas), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(*sentencia, SQL_ATTR_ROWS_FETCHED_PTR, &nTraidas, 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(*sentencia, SQL_ATTR_ROW_STATUS_PTR, estados.data(), 0)))
        FallaLaConsulta(QStringLiteral("El controlador ODBC no lee la consulta del reporte por bloques"), sentencia);
    for (SQLUSMALLINT i = 0; i < columnas.size(); ++i)
        columnas[i].Liga(sentencia, i + 1, nFilas);

    // The driver that holds the whole result knows its rows: room for all of them is taken once
    // the first block tells how long a row's texts are.
    SQLLEN nFilasDelResultado = -1;
    if (!SQL_SUCCEEDED(SQLRowCount(*sentencia, &nFilasDelResultado)))
        nFilasDelResultado = -1;
    const QString cLectura = QStringLiteral("La lectura de la consulta del reporte falló");
    for (bool bPrimerBloque = true;; bPrimerBloque = false) {
        const SQLRETURN nResultado = SQLFetch(*sentencia);
        if (nResultado == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(nResultado))
            FallaLaConsulta(cLectura, sentencia);
        for (SQLULEN nFila = 0; nFila < nTraidas; ++nFila) {
            if (estados[nFila] == SQL_ROW_ERROR)
                FallaLaConsulta(cLectura, sentencia);
            for (size_t i = 0; i < columnas.size(); ++i) {
                const std::optional<QByteArrayView> valor = columnas[i].Valor(nFila);
                if (!valor)
                    throw ErrorReporte(CodigoErrorRpt::ConsultaFallida,
                                       QStringLiteral("%1: un valor de la columna %2 pasa de %3 caracteres.")
                                           .arg(cLectura, datos.campos[qsizetype(i)])
                                           .arg(nCaracteresMaximos));
                if (valor->isNull())
                    datos.AgregaNulo();
                else if (!datos.Agrega(*valor))
                    throw ErrorReporte(CodigoErrorRpt::ConsultaFallida,
                                       QStringLiteral("%1: la consulta trae más de %2 MB de valores, más de lo que un "
                                                      "reporte guarda.")
                                           .arg(cLectura)
                                           .arg(DatosReporte::nBytesMaximos / (1024 * 1024)));
            }
        }
        if (bPrimerBloque && nTraidas > 0 && nFilasDelResultado > SQLLEN(nTraidas))
            datos.Reserva(qsizetype(nFilasDelResultado) * nCampos,
                          datos.Bytes() / qsizetype(nTraidas) * (qsizetype(nFilasDelResultado) + 1));
    }
    return datos;
}

} // namespace

DatosReporte LectorOdbc::Lee(const QString &cCadenaOdbc, const QString &cOrigenDatos, const QString &cSql,
                             const std::function<void()> &alConectar, int nSegundosConexion, int nSegundosRespuesta)
{
    const Manejador entorno(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!entorno.Valido() ||
        !SQL_SUCCEEDED(SQLSetEnvAttr(*entorno, SQL_ATTR_ODBC_VERSION, SQLPOINTER(SQL_OV_ODBC3), 0)))
        throw ErrorReporte(CodigoErrorRpt::ConexionFallida,
                           QStringLiteral("El administrador de controladores ODBC no se pudo iniciar."));
    Manejador conexion(SQL_HANDLE_DBC, *entorno);
    if (!conexion.Valido())
        throw ErrorReporte(CodigoErrorRpt::ConexionFallida,
                           QStringLiteral("El administrador de controladores ODBC no se pudo iniciar."));
    // The waits go both ways: the connection text's keywords (CONN_TIMEOUT, READ_TIMEOUT,
    // WRITE_TIMEOUT) are MariaDB's driver's own, and its version 3.1 takes only them; another
    // vendor's MySQL driver ignores those keywords and honours ODBC's attributes instead. A driver
    // that refuses an attribute is no failure of the report: the keywords still hold for MariaDB's.
    if (nSegundosConexion > 0)
        SQLSetConnectAttr(*conexion, SQL_ATTR_LOGIN_TIMEOUT, SQLPOINTER(SQLULEN(nSegundosConexion)), 0);
    if (nSegundosRespuesta > 0)
        SQLSetConnectAttr(*conexion, SQL_ATTR_CONNECTION_TIMEOUT, SQLPOINTER(SQLULEN(nSegundosRespuesta)), 0);
    // Texts are read in UTF-8, whatever the data source says.
    const QString cCadena = cCadenaOdbc + QStringLiteral(";CHARSET=utf8mb4");
    if (!SQL_SUCCEEDED(
            SQLDriverConnectW(*conexion, nullptr, Ancho(cCadena), SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT))) {
        const QString cError = conexion.Diagnostico();
        throw ErrorReporte(
            CodigoErrorRpt::ConexionFallida,
            QStringLiteral("No se pudo conectar con el origen de datos \"%1\": %2").arg(cOrigenDatos, cError) +
                QueHacer(cError, cOrigenDatos));
    }
    conexion.Conectado();
    if (alConectar)
        alConectar();
    return LeeConsulta(conexion, cSql, nSegundosRespuesta);
}
