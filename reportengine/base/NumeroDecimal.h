#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

// An exact decimal number. Amounts and quantities arrive from the database as text and are
// summed here as scaled integers, so that 0.10 + 0.20 is 0.30 and a column of ten thousand
// amounts adds up to the cent, which binary floating point does not promise. Ten decimals and
// 27 integer digits cover any column a sales table holds (kilograms to the gram, prices to the
// ten-thousandth) with room for the sums of a million rows.
class NumeroDecimal
{
public:
    static constexpr int nDecimalesGuardados = 10;
    static constexpr int nMaximoDigitosEnteros = 27;

    NumeroDecimal() = default;

    // "-1234.5", "0.10", "12", "+3."; no exponent, no grouping. Digits past the tenth decimal
    // are rounded half away from zero. Empty for anything else or beyond 27 integer digits.
    // pDecimales, when given, receives the number of decimals the text has ("1.50" has 2).
    static std::optional<NumeroDecimal> DeTexto(QAnyStringView texto, int *pDecimales = nullptr);

    // False (and the number unchanged) when the sum would not fit.
    [[nodiscard]] bool Suma(const NumeroDecimal &otro);

    bool EsCero() const { return m_nValor == 0; }
    bool EsNegativo() const { return m_nValor < 0; }
    bool operator==(const NumeroDecimal &otro) const = default;
    bool MenorQue(const NumeroDecimal &otro) const { return m_nValor < otro.m_nValor; }

    // Rounded half away from zero to nDecimales (0 to 10): "1234.50", "-0.30".
    QString TextoPlano(int nDecimales) const;
    // The same, appended to a text of bytes (a CSV row) without a QString on the way.
    void AgregaTextoPlano(QByteArray &destino, int nDecimales) const;
    // The same with the locale's decimal point, minus sign and a group separator every three
    // digits: "1,234.50" or "1.234,50".
    QString TextoLocal(int nDecimales, const QLocale &locale) const;
    // Rounded the same way, the nearest double: the one strtod gives for TextoPlano's text,
    // found without it (a workbook takes a double per number cell).
    double Real(int nDecimales) const;

    // The absolute value.
    NumeroDecimal Magnitud() const;

private:
    // Aligned as a pair of 64-bit words, so that a report's cells holding one take 24 bytes,
    // not 32 (x86-64 reads it unaligned at no cost).
    __extension__ typedef __int128 Entero __attribute__((aligned(8)));
    template <class Caracter>
    static std::optional<NumeroDecimal> DeCaracteres(const Caracter *pTexto, qsizetype nLargo, int *pDecimales);
    explicit NumeroDecimal(Entero nValor) : m_nValor(nValor) {}

    static constexpr int nMaximoDigitos = 48; // 128 bits have 39 decimal digits

    // The rounded magnitude's digits, integer part (at least one digit) then the nDecimales
    // decimals, into pDigitos; returns the number of integer digits. bCero: all were zero.
    int Digitos(int nDecimales, char *pDigitos, bool &bCero) const;

    Entero m_nValor = 0; // the number times 10^nDecimalesGuardados
};
