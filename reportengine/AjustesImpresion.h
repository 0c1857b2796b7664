#pragma once

#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <optional>

// The printer and paper settings of the report control (PropiedadReporte::Copias, DobleCara,
// Impresora, Papel, Paginas and Bandeja). Each setter checks its value and throws
// ErrorReporte (ValorNoValido, or ImpresoraNoDisponible for a printer that does not exist)
// without changing anything when it refuses it.
class AjustesImpresion
{
public:
    void AsignaCopias(int nCopias);
    void AsignaDobleCara(int nModo);
    void AsignaImpresora(const QString &cImpresora);
    void AsignaPapel(const QString &cPapel);
    void AsignaPaginas(const QString &cPaginas);
    void AsignaBandeja(const QString &cBandeja);

    int Copias() const { return qMax(1, m_nCopias); }
    const QString &Impresora() const { return m_cImpresora; }
    std::optional<QPageSize::PageSizeId> Papel() const { return m_papel; }
    int PrimeraPagina() const { return m_nDesde; } // 0: from the first
    int UltimaPagina() const { return m_nHasta; }  // 0: to the last

    // Copies, two-sided printing and tray (the paper goes with the page layout).
    void AplicaA(QPrinter &impresora) const;

private:
    int m_nCopias = 0;
    int m_nDobleCara = 0;
    QString m_cImpresora;
    std::optional<QPageSize::PageSizeId> m_papel;
    int m_nDesde = 0;
    int m_nHasta = 0;
    std::optional<QPrinter::PaperSource> m_bandeja;
};
