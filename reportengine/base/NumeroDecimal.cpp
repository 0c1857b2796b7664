#include "NumeroDecimal.h"

#include <iterator>
#include <limits>

namespace {
__extension__ using Entero128 = __int128;

constexpr Entero128 PotenciaDeDiez(int n)
{
    Entero128 nResultado = 1;
    for (int i = 0; i < n; ++i)
        nResultado *= 10;
    return nResultado;
}
char32_t Codigo(char c)
{
    return static_cast<unsigned char>(c);
}
char32_t Codigo(QChar c)
{
    return c.unicode();
}
} // namespace

std::optional<NumeroDecimal> NumeroDecimal::DeTexto(QAnyStringView texto, int *pDecimales)
{
    return texto.visit([pDecimales](auto vista) { return DeCaracteres(vista.data(), vista.size(), pDecimales); });
}

// The digits are ASCII in every encoding a view may hold: a character is read as its code.
template <class Caracter>
std::optional<NumeroDecimal> NumeroDecimal::DeCaracteres(const Caracter *pTexto, qsizetype nLargo, int *pDecimales)
{
    const auto codigo = [pTexto](qsizetype i) { return Codigo(pTexto[i]); };
    const auto esDigito = [&codigo](qsizetype i) { return codigo(i) >= U'0' && codigo(i) <= U'9'; };
    qsizetype i = 0;
    bool bNegativo = false;
    if (i < nLargo && (codigo(i) == U'-' || codigo(i) == U'+')) {
        bNegativo = codigo(i) == U'-';
        ++i;
    }
    Entero nValor = 0;
    int nEnteros = 0;
    while (i < nLargo && esDigito(i)) {
        if (++nEnteros > nMaximoDigitosEnteros)
            return std::nullopt;
        nValor = nValor * 10 + (codigo(i) - U'0');
        ++i;
    }
    int nDecimales = 0;
    bool bRedondeaArriba = false;
    if (i < nLargo && codigo(i) == U'.') {
        ++i;
        while (i < nLargo && esDigito(i)) {
            const int nDigito = int(codigo(i) - U'0');
            if (nDecimales < nDecimalesGuardados)
                nValor = nValor * 10 + nDigito;
            else if (nDecimales == nDecimalesGuardados)
                bRedondeaArriba = nDigito >= 5;
            ++nDecimales;
            ++i;
        }
    }
    if (i != nLargo || nEnteros + nDecimales == 0)
        return std::nullopt;
    for (int n = nDecimales; n < nDecimalesGuardados; ++n)
        nValor *= 10;
    if (bRedondeaArriba)
        ++nValor;
    if (pDecimales)
        *pDecimales = nDecimales;
    return NumeroDecimal(bNegativo ? -nValor : nValor);
}

bool NumeroDecimal::Suma(const NumeroDecimal &otro)
{
    Entero nResultado;
    if (__builtin_add_overflow(m_nValor, otro.m_nValor, &nResultado))
        return false;
    m_nValor = nResultado;
    return true;
}

NumeroDecimal NumeroDecimal::Magnitud() const
{
    return NumeroDecimal(m_nValor < 0 ? -m_nValor : m_nValor);
}

int NumeroDecimal::Digitos(int nDecimales, char *pDigitos, bool &bCero) const
{
    nDecimales = qBound(0, nDecimales, nDecimalesGuardados);
    Entero nAbsoluto = m_nValor < 0 ? -m_nValor : m_nValor;
    const Entero nDivisor = PotenciaDeDiez(nDecimalesGuardados - nDecimales);
    nAbsoluto = (nAbsoluto + nDivisor / 2) / nDivisor; // half away from zero
    bCero = nAbsoluto == 0;
    // The digits from the last one backwards, at least one before the point.
    char cAlReves[nMaximoDigitos];
    int n = 0;
    while (
        nAbsoluto >
        Entero(std::numeric_limits<quint64>::max())) { // 128-bit division is slow: only for the digits beyond 64 bits
        cAlReves[n++] = char('0' + int(nAbsoluto % 10));
        nAbsoluto /= 10;
    }
    quint64 nResto = quint64(nAbsoluto);
    do {
        cAlReves[n++] = char('0' + int(nResto % 10));
        nResto /= 10;
    } while (nResto > 0 || n <= nDecimales);
    for (int k = 0; k < n; ++k)
        pDigitos[k] = cAlReves[n - 1 - k];
    return n - nDecimales;
}

void NumeroDecimal::AgregaTextoPlano(QByteArray &destino, int nDecimales) const
{
    nDecimales = qBound(0, nDecimales, nDecimalesGuardados);
    char cDigitos[nMaximoDigitos];
    bool bCero = false;
    const int nEnteros = Digitos(nDecimales, cDigitos, bCero);
    if (m_nValor < 0 && !bCero) // no "-0.00" for a tiny negative rounded away
        destino += '-';
    destino.append(cDigitos, nEnteros);
    if (nDecimales > 0) {
        destino += '.';
        destino.append(cDigitos + nEnteros, nDecimales);
    }
}

QString NumeroDecimal::TextoPlano(int nDecimales) const
{
    QByteArray texto;
    AgregaTextoPlano(texto, nDecimales);
    return QString::fromLatin1(texto);
}

double NumeroDecimal::Real(int nDecimales) const
{
    nDecimales = qBound(0, nDecimales, nDecimalesGuardados);
    const Entero nDivisor = PotenciaDeDiez(nDecimalesGuardados - nDecimales);
    const Entero nAbsoluto = ((m_nValor < 0 ? -m_nValor : m_nValor) + nDivisor / 2) / nDivisor; // as Digitos
    // An integer and a power of ten up to 10^22 are doubles exactly while the integer fits in
    // 53 bits; IEEE division rounds their exact quotient once, to the nearest double.
    if (nAbsoluto >= Entero(1) << 53)
        return TextoPlano(nDecimales).toDouble(); // Qt reads a text correctly rounded too
    static constexpr double aPotencias[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
    static_assert(std::size(aPotencias) == nDecimalesGuardados + 1);
    const double dMagnitud = double(qint64(nAbsoluto)) / aPotencias[nDecimales];
    return m_nValor < 0 && nAbsoluto != 0 ? -dMagnitud : dMagnitud; // no -0 where the text has none
}

QString NumeroDecimal::TextoLocal(int nDecimales, const QLocale &locale) const
{
    nDecimales = qBound(0, nDecimales, nDecimalesGuardados);
    char cDigitos[nMaximoDigitos];
    bool bCero = false;
    const int nEnteros = Digitos(nDecimales, cDigitos, bCero);
    const QString cGrupo = locale.groupSeparator();
    QString cTexto;
    cTexto.reserve(nEnteros * 2 + nDecimales + 4);
    if (m_nValor < 0 && !bCero)
        cTexto += locale.negativeSign();
    for (int i = 0; i < nEnteros; ++i) {
        if (i > 0 && (nEnteros - i) % 3 == 0)
            cTexto += cGrupo;
        cTexto += QLatin1Char(cDigitos[i]);
    }
    if (nDecimales > 0) {
        cTexto += locale.decimalPoint();
        for (int i = 0; i < nDecimales; ++i)
            cTexto += QLatin1Char(cDigitos[nEnteros + i]);
    }
    return cTexto;
}
