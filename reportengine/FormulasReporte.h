#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>

// The formula slots of the report control (property 29). Each slot holds a complete
// assignment, a name, "=" and a quoted value: Mes1='ene-24', VENDEDOR='V01'. The report uses
// the values by name; the slot number only keeps the puts apart.
class FormulasReporte
{
public:
    static constexpr int nRanuras = 21;

    struct Formula
    {
        QString cNombre;
        QString cValor;
    };

    // Name='value' or Name="value", blanks allowed around "="; the value is what lies
    // between the first quote and the last one, so VENDEDOR='O'Brien' keeps its apostrophe.
    // Throws ErrorReporte (FormulaNoValida) for anything else.
    static Formula Analiza(const QString &cTexto);

    // Empty text empties the slot. Throws IndiceNoValido or FormulaNoValida; a refused put
    // leaves the slot as it was.
    void Asigna(int nRanura, const QString &cTexto);

    // The values by lower-case name; when two slots name the same formula, the higher slot wins.
    QHash<QString, QString> Valores() const;
    // The names of the formulas in the slots, as they were put.
    QStringList Nombres() const;

private:
    std::array<QString, nRanuras> m_ranuras;
};
