#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A text with fields, as the layout writes them: {Campo} a column of the query, {@Formula} a
// formula's value, {=Nombre} a value of the engine; "{{" and "}}" stand for the braces
// themselves. {?...} is an optional part: it shows only when a field inside it comes out with
// a value. Optional parts side by side, or with a text between them, make a list; such a text
// is a separator, shown only between two shown parts (the one before the part that follows it):
// "{?cliente {@C}}; {?línea {@L}}" gives "cliente 7", "línea 3" or "cliente 7; línea 3".
// Optional parts do not nest. Parsed once, filled for every row or page.
class PlantillaTexto
{
public:
    struct Pieza
    {
        enum class Tipo { Literal, Campo, Formula, ValorDelMotor };
        Tipo tipo = Tipo::Literal;
        QString cTexto;      // the literal text, or the name inside the braces
        int nCampo = -1;     // for a Campo, its column in the query's result once resolved
        int nOpcional = -1;  // the optional part it belongs to (0, 1, ... in order); -1 none
        bool bValor = false; // a field, even once its value has been put in as a literal
    };

    // The values of the engine that a text may name with {=...}.
    static const QStringList &ValoresDelMotor();
    // A count may carry its noun, singular|plural: {=Registros cliente|clientes} reads "1 cliente",
    // "3 clientes". Splits such a name into the value's name and its nouns; false when the name
    // has no nouns after it (cValor is then the name itself).
    static bool SeparaSustantivos(const QString &cNombre, QString &cValor, QString &cSingular, QString &cPlural);

    // Empty, with the reason in cError, for an unmatched brace, an empty name or an optional
    // part inside another.
    static std::optional<PlantillaTexto> Analiza(const QString &cTexto, QString &cError);

    QList<Pieza> &Piezas() { return m_piezas; }
    const QList<Pieza> &Piezas() const { return m_piezas; }
    bool TieneCampos() const;

    // The text with each field replaced by what valorDe gives for it, and the optional parts
    // and separators that show.
    QString Rellena(const std::function<QString(const Pieza &)> &valorDe) const;

private:
    bool AnalizaTramo(const QString &cTexto, int nOpcional, QString &cError);
    bool EsSeparador(qsizetype i) const;

    QList<Pieza> m_piezas;
    int m_nOpcionales = 0;
};
