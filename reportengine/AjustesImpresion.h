#pragma once

#include <QPageSize>
#include <QString>

#include <optional>

// The printer and paper settings of the report control (PropiedadReporte::Copias, DobleCara,
// Impresora, Papel, Paginas and Bandeja). Each setter checks its value and throws
// ErrorReporte (ValorNoValido) without changing anything when it refuses it. What a printer
// makes of them is the printer output's business (SalidaImpresa).
class AjustesImpresion
{
public:
    enum class DobleCara { DeLaImpresora, UnaCara, LadoLargo, LadoCorto };
    enum class Bandeja { Automatica, Superior, Inferior, Manual };

    void AsignaCopias(int nCopias);
    void AsignaDobleCara(int nModo);
    // The name is not checked here: the control asks its printer output whether it exists.
    void AsignaImpresora(const QString &cImpresora) { m_cImpresora = cImpresora; }
    void AsignaPapel(const QString &cPapel);
    void AsignaPaginas(const QString &cPaginas);
    void AsignaBandeja(const QString &cBandeja);

    int Copias() const { return qMax(1, m_nCopias); }
    DobleCara ModoDobleCara() const { return m_dobleCara; }
    const QString &Impresora() const { return m_cImpresora; }
    std::optional<QPageSize::PageSizeId> Papel() const { return m_papel; }
    int PrimeraPagina() const { return m_nDesde; } // 0: from the first
    int UltimaPagina() const { return m_nHasta; }  // 0: to the last
    std::optional<Bandeja> BandejaDePapel() const { return m_bandeja; }

private:
    int m_nCopias = 0;
    DobleCara m_dobleCara = DobleCara::DeLaImpresora;
    QString m_cImpresora;
    std::optional<QPageSize::PageSizeId> m_papel;
    int m_nDesde = 0;
    int m_nHasta = 0;
    std::optional<Bandeja> m_bandeja;
};
