#pragma once

#include <QString>

#include <exception>
#include <string>

// Numbers of the failures that the host library raises itself (HostError::Numero). Database
// failures carry the server's own number instead.
namespace CodigoErrorHost {
constexpr int ArgumentoNoValido = 5;
constexpr int Desbordamiento = 6;
constexpr int TipoNoCoincide = 13;
constexpr int ErrorInterno = 51;
constexpr int ArchivoNoEncontrado = 53;
constexpr int ErrorDeAccesoArchivo = 75;
constexpr int ObjetoNoAsignado = 91;
constexpr int NoSePuedeCrearObjeto = 429;
constexpr int SinFilaActual = 3021;
constexpr int ErrorOdbc = 3146;
constexpr int ObjetoCerrado = 3704;
constexpr int ErrorBaseDeDatos = 3000;   // a database failure whose driver gave no number
constexpr int InformeEnCurso = 3010;     // another run holds the working table of the database
constexpr int OrigenesOcupados = 3011;   // another run is refreshing and using the ODBC data sources
constexpr int SinControladorOdbc = 3012; // no MariaDB driver in the driver manager's list
} // namespace CodigoErrorHost

// A failure of a host member: a number and a description, as the user sees them.
class HostError : public std::exception
{
public:
    HostError(int nNumero, const QString &cDescripcion);

    int Numero() const { return m_nNumero; }
    const QString &Descripcion() const { return m_cDescripcion; }
    const char *what() const noexcept override { return m_cTexto.c_str(); }

private:
    int m_nNumero;
    QString m_cDescripcion;
    std::string m_cTexto;
};
