#include "TablasRpt.h"

#include <QFile>

#include <limits>

#include "HostError.h"

namespace {

constexpr qsizetype nLargoVentana = 60;

// The entry count is a 16-bit number, as the table index that the report control takes.
constexpr int nMaximoTablas = std::numeric_limits<qint16>::max();

QByteArray LeeArchivo(const QString &cArchivo)
{
    QFile archivo(cArchivo);
    if (!archivo.exists())
        return {};
    if (!archivo.open(QIODevice::ReadOnly))
        throw HostError(
            CodigoErrorHost::ErrorDeAccesoArchivo,
            QStringLiteral("No se puede abrir el archivo de reporte %1: %2").arg(cArchivo, archivo.errorString()));
    QByteArray bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError)
        throw HostError(
            CodigoErrorHost::ErrorDeAccesoArchivo,
            QStringLiteral("No se puede leer el archivo de reporte %1: %2").arg(cArchivo, archivo.errorString()));
    return bytes;
}

bool EsInicioDeControlador(const QByteArray &bytes, qsizetype p)
{
    return p + 1 < bytes.size() && (bytes[p] == 'P' || bytes[p] == 'p') && (bytes[p + 1] == 'D' || bytes[p + 1] == 'd');
}

} // namespace

int LeeTablasRpt(QString &cArchivoRpt, QStringList &tablas)
{
    if (!cArchivoRpt.toLower().contains(QStringLiteral(".rpt")))
        cArchivoRpt += QStringLiteral(".rpt");
    tablas.clear();
    const QByteArray bytes = LeeArchivo(cArchivoRpt);

    // Every position is tried, so windows overlap: a stray "PD" a few bytes before a driver
    // name gives a window of its own, and the table may then be listed twice.
    for (qsizetype p = 0; p < bytes.size(); ++p) {
        if (!EsInicioDeControlador(bytes, p))
            continue;
        const QByteArray ventana = bytes.mid(p, nLargoVentana);
        const QByteArray ventanaMinusculas = ventana.toLower();
        if (!ventanaMinusculas.contains("pdbdao") && !ventanaMinusculas.contains("pdsodbc"))
            continue;
        const QString cTabla = ExtraeTabla(ventana);
        if (cTabla.isEmpty())
            continue;
        if (tablas.size() == nMaximoTablas)
            throw HostError(
                CodigoErrorHost::Desbordamiento,
                QStringLiteral("El archivo de reporte %1 tiene más de %2 tablas").arg(cArchivoRpt).arg(nMaximoTablas));
        tablas.append(cTabla);
    }
    return int(tablas.size());
}

QString ExtraeTabla(const QByteArray &ventana)
{
    const QByteArray ventanaMinusculas = ventana.toLower();
    const qsizetype k = ventanaMinusculas.indexOf(".dll");
    if (k < 0)
        return {};
    const QChar cTipo = ventanaMinusculas.contains("pdbdao") ? QLatin1Char('A') : QLatin1Char('M');

    // Past ".dll" and its terminator: the first field (skipped), then the location.
    QByteArray resto = ventana.mid(k + 5);
    const qsizetype nFinPrimerCampo = resto.indexOf('\0');
    if (nFinPrimerCampo >= 0)
        resto = resto.mid(nFinPrimerCampo + 1);
    const qsizetype nFinUbicacion = resto.indexOf('\0');
    if (nFinUbicacion < 0)
        throw HostError(
            CodigoErrorHost::ArgumentoNoValido,
            QStringLiteral("La ubicación de una tabla del archivo de reporte no termina dentro de los %1 bytes "
                           "que siguen al nombre de su controlador")
                .arg(nLargoVentana));
    // One byte is one character of the report file.
    return cTipo + QLatin1Char(' ') + QString::fromLatin1(resto.left(nFinUbicacion));
}
