#include "Recordset.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

#include "ErrorBaseDeDatos.h"
#include "HostError.h"

struct Recordset::Estado
{
    QSqlDatabase base;
    QSqlQuery consulta;
    QSqlRecord campos; // the query's fields, read once: asking the query each time costs
    bool bEnFila = false;
    QString cTabla;                                                     // where new rows go; empty: read only
    std::optional<std::vector<std::pair<QString, QVariant>>> filaNueva; // being added or just saved
    bool bFilaNuevaGuardada = false;
};

Recordset Recordset::DeConsulta(const QSqlDatabase &base, QSqlQuery consulta, const QString &cTablaNuevasFilas)
{
    Recordset rs;
    rs.d = std::make_shared<Estado>();
    rs.d->base = base;
    rs.d->consulta = std::move(consulta);
    rs.d->cTabla = cTablaNuevasFilas;
    rs.d->campos = rs.d->consulta.record();
    rs.d->bEnFila = rs.d->consulta.next();
    return rs;
}

// A recordset closes with its connection, as its rows can no longer be read.
bool Recordset::EstaAbierto() const
{
    return d && d->base.isOpen();
}

void Recordset::Cierra()
{
    d.reset();
}

Recordset::Estado &Recordset::Abierto() const
{
    if (!EstaAbierto())
        throw HostError(CodigoErrorHost::ObjetoCerrado,
                        QStringLiteral("No se permite la operación si el recordset está cerrado"));
    return *d;
}

bool Recordset::FinDeFilas() const
{
    const Estado &e = Abierto();
    return !e.bEnFila && !(e.filaNueva && e.bFilaNuevaGuardada);
}

void Recordset::Siguiente()
{
    Estado &e = Abierto();
    if (e.filaNueva) {
        e.filaNueva.reset();
        return;
    }
    if (!e.bEnFila)
        throw HostError(CodigoErrorHost::SinFilaActual, QStringLiteral("No hay una fila actual en el recordset"));
    e.bEnFila = e.consulta.next();
    if (!e.bEnFila && e.consulta.lastError().type() != QSqlError::NoError)
        LanzaErrorBase(e.consulta.lastError());
}

QVariant Recordset::Campo(const QString &cNombre) const
{
    const Estado &e = Abierto();
    if (e.filaNueva) {
        for (const auto &[cCampo, valor] : *e.filaNueva)
            if (cCampo.compare(cNombre, Qt::CaseInsensitive) == 0)
                return valor;
        return {};
    }
    const int nPosicion = e.campos.indexOf(cNombre);
    if (nPosicion < 0)
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("El recordset no tiene el campo %1").arg(cNombre));
    return Campo(nPosicion);
}

QVariant Recordset::Campo(int nPosicion) const
{
    const Estado &e = Abierto();
    if (!e.bEnFila)
        throw HostError(CodigoErrorHost::SinFilaActual, QStringLiteral("No hay una fila actual en el recordset"));
    if (nPosicion < 0 || nPosicion >= e.campos.count())
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("El recordset no tiene el campo %1").arg(nPosicion));
    return e.consulta.value(nPosicion);
}

int Recordset::NumeroDeCampos() const
{
    return Abierto().campos.count();
}

QString Recordset::NombreCampo(int nPosicion) const
{
    return Abierto().campos.fieldName(nPosicion);
}

void Recordset::AgregaFila()
{
    Estado &e = Abierto();
    if (e.cTabla.isEmpty())
        throw HostError(CodigoErrorHost::ArgumentoNoValido, QStringLiteral("Este recordset no admite filas nuevas"));
    e.filaNueva.emplace();
    e.bFilaNuevaGuardada = false;
}

void Recordset::AsignaCampo(const QString &cNombre, const QVariant &valor)
{
    Estado &e = Abierto();
    if (!e.filaNueva || e.bFilaNuevaGuardada)
        throw HostError(CodigoErrorHost::SinFilaActual, QStringLiteral("Asignar un campo requiere una fila nueva"));
    for (auto &[cCampo, actual] : *e.filaNueva)
        if (cCampo.compare(cNombre, Qt::CaseInsensitive) == 0) {
            actual = valor;
            return;
        }
    e.filaNueva->emplace_back(cNombre, valor);
}

void Recordset::GuardaFila()
{
    Estado &e = Abierto();
    if (!e.filaNueva || e.bFilaNuevaGuardada)
        throw HostError(CodigoErrorHost::SinFilaActual, QStringLiteral("No hay una fila nueva que guardar"));
    QSqlDriver *pDriver = e.base.driver();
    QStringList campos;
    QStringList marcas;
    for (const auto &par : *e.filaNueva) {
        campos << pDriver->escapeIdentifier(par.first, QSqlDriver::FieldName);
        marcas << QStringLiteral("?");
    }
    QSqlQuery insercion(e.base);
    const QString cSql = QStringLiteral("insert into %1 (%2) values (%3)")
                             .arg(pDriver->escapeIdentifier(e.cTabla, QSqlDriver::TableName),
                                  campos.join(QLatin1Char(',')), marcas.join(QLatin1Char(',')));
    if (!insercion.prepare(cSql))
        LanzaErrorBase(insercion.lastError());
    for (const auto &par : *e.filaNueva)
        insercion.addBindValue(par.second);
    if (!insercion.exec())
        LanzaErrorBase(insercion.lastError());
    e.bFilaNuevaGuardada = true;
}
