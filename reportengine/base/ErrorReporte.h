#pragma once

#include <QString>

#include <exception>
#include <string>

// A failure of the report control: a number and a description, as the user sees them.
class ErrorReporte : public std::exception
{
public:
    ErrorReporte(int nNumero, const QString &cDescripcion)
        : m_nNumero(nNumero), m_cDescripcion(cDescripcion), m_cTexto(cDescripcion.toStdString())
    {
    }
    int Numero() const { return m_nNumero; }
    const QString &Descripcion() const { return m_cDescripcion; }
    const char *what() const noexcept override { return m_cTexto.c_str(); }

private:
    int m_nNumero;
    QString m_cDescripcion;
    std::string m_cTexto;
};
