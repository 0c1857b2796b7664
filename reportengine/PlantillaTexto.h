#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A text with fields, as the layout writes them: {Campo} a column of the query, {@Formula} a
// formula's value, {=Nombre} a value of the engine; "{{" and "}}" stand for the braces
// themselves. Parsed once, filled for every row or page.
class PlantillaTexto
{
public:
    struct Pieza
    {
        enum class Tipo { Literal, Campo, Formula, ValorDelMotor };
        Tipo tipo = Tipo::Literal;
        QString cTexto;   // the literal text, or the name inside the braces
        int nCampo = -1;  // for a Campo, its column in the query's result once resolved
    };

    // The values of the engine that a text may name with {=...}.
    static const QStringList &ValoresDelMotor();

    // Empty, with the reason in cError, for an unmatched brace or an empty name.
    static std::optional<PlantillaTexto> Analiza(const QString &cTexto, QString &cError);

    QList<Pieza> &Piezas() { return m_piezas; }
    const QList<Pieza> &Piezas() const { return m_piezas; }
    bool TieneCampos() const;

    // The text with each field replaced by what valorDe gives for it.
    QString Rellena(const std::function<QString(const Pieza &)> &valorDe) const;

private:
    QList<Pieza> m_piezas;
};
