#pragma once

#include <QString>
#include <QVariant>

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

// The report control as the report bridge sees it: properties put by dispatch identifier,
// plain or indexed. Each put takes effect or throws an ErrorReporte; putting 1 into
// property 17 runs the report with the settings made so far.
class ControlReporte
{
public:
    virtual ~ControlReporte() = default;
    virtual void PropertyPut(int nDispId, const QVariant &valor) = 0;
    virtual void PropertyPutIndexed(int nDispId, int nIndice, const QVariant &valor) = 0;
};
