#pragma once

#include <QDate>
#include <QSqlDatabase>

#include <cstdint>
#include <string>
#include <string_view>

// Runs one SQL statement; throws std::runtime_error with the server's error number and text.
void EjecutaSql(QSqlDatabase &db, const QString &sql);

// Sends rows as multi-row INSERT statements of filasPorSentencia rows each:
//   lote.nueva().entero(1).texto("C00001").centavos(1250).fecha(d).cierra();
// Values are written straight into the statement, so text is escaped here.
class InsercionPorLotes
{
public:
    // encabezado: "INSERT INTO `base`.`tabla` (A,B,C) VALUES "
    InsercionPorLotes(QSqlDatabase &db, std::string encabezado, int filasPorSentencia = 1000);

    InsercionPorLotes &nueva();
    InsercionPorLotes &entero(std::int64_t valor);
    InsercionPorLotes &texto(std::string_view valor);
    InsercionPorLotes &centavos(std::int64_t valor); // 1250 -> 12.50
    InsercionPorLotes &fecha(QDate valor);
    void cierra(); // ends the row; sends the statement once it holds filasPorSentencia rows
    void envia();  // sends the rows still pending

    std::int64_t filasEnviadas() const { return nFilasEnviadas; }

private:
    void separa();

    QSqlDatabase &db;
    const std::string cEncabezado;
    const int nFilasPorSentencia;
    std::string cSentencia;
    int nFilasPendientes = 0;
    bool bPrimerValor = true;
    std::int64_t nFilasEnviadas = 0;
};
