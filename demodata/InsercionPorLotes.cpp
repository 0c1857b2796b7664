#include "InsercionPorLotes.h"

#include <QSqlError>
#include <QSqlQuery>

#include <charconv>
#include <stdexcept>

void EjecutaSql(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery consulta(db);
    if (consulta.exec(sql))
        return;
    const QSqlError error = consulta.lastError();
    const QString inicio = sql.left(120).simplified();
    throw std::runtime_error(QStringLiteral("error %1 del servidor: %2 (en «%3…»)")
                                 .arg(error.nativeErrorCode(), error.databaseText(), inicio)
                                 .toStdString());
}

InsercionPorLotes::InsercionPorLotes(QSqlDatabase &db, std::string encabezado, int filasPorSentencia)
    : db(db), cEncabezado(std::move(encabezado)), nFilasPorSentencia(filasPorSentencia)
{
}

InsercionPorLotes &InsercionPorLotes::nueva()
{
    if (nFilasPendientes == 0)
        cSentencia = cEncabezado;
    else
        cSentencia += ',';
    cSentencia += '(';
    bPrimerValor = true;
    return *this;
}

void InsercionPorLotes::separa()
{
    if (!bPrimerValor)
        cSentencia += ',';
    bPrimerValor = false;
}

InsercionPorLotes &InsercionPorLotes::entero(std::int64_t valor)
{
    separa();
    char texto[24];
    const auto fin = std::to_chars(texto, texto + sizeof texto, valor).ptr;
    cSentencia.append(texto, fin);
    return *this;
}

InsercionPorLotes &InsercionPorLotes::texto(std::string_view valor)
{
    separa();
    cSentencia += '\'';
    for (const char c : valor) {
        if (c == '\'' || c == '\\')
            cSentencia += c;
        cSentencia += c;
    }
    cSentencia += '\'';
    return *this;
}

InsercionPorLotes &InsercionPorLotes::centavos(std::int64_t valor)
{
    separa();
    if (valor < 0) {
        cSentencia += '-';
        valor = -valor;
    }
    char texto[24];
    const auto fin = std::to_chars(texto, texto + sizeof texto, valor / 100).ptr;
    cSentencia.append(texto, fin);
    const auto resto = static_cast<char>(valor % 100);
    cSentencia += '.';
    cSentencia += static_cast<char>('0' + resto / 10);
    cSentencia += static_cast<char>('0' + resto % 10);
    return *this;
}

InsercionPorLotes &InsercionPorLotes::fecha(QDate valor)
{
    separa();
    cSentencia += '\'';
    cSentencia += valor.toString(Qt::ISODate).toStdString();
    cSentencia += '\'';
    return *this;
}

void InsercionPorLotes::cierra()
{
    cSentencia += ')';
    if (++nFilasPendientes >= nFilasPorSentencia)
        envia();
}

void InsercionPorLotes::envia()
{
    if (nFilasPendientes == 0)
        return;
    EjecutaSql(db, QString::fromStdString(cSentencia));
    nFilasEnviadas += nFilasPendientes;
    nFilasPendientes = 0;
    cSentencia.clear();
}
