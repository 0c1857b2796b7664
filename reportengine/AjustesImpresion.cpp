#include "AjustesImpresion.h"

#include <QRegularExpression>

#include "CodigosErrorReporte.h"
#include "ControlReporte.h"
#include "NombresPapel.h"

namespace {
[[noreturn]] void NoValido(PropiedadReporte propiedad, const QString &cDetalle)
{
    throw ErrorReporte(CodigoErrorRpt::ValorNoValido,
                       QStringLiteral("Valor no válido para la propiedad %1: %2.").arg(int(propiedad)).arg(cDetalle));
}
} // namespace

void AjustesImpresion::AsignaCopias(int nCopias)
{
    if (nCopias < 0 || nCopias > 999)
        NoValido(PropiedadReporte::Copias, QStringLiteral("%1 copias (van de 0 a 999)").arg(nCopias));
    m_nCopias = nCopias;
}

void AjustesImpresion::AsignaDobleCara(int nModo)
{
    if (nModo < 0 || nModo > 3)
        NoValido(PropiedadReporte::DobleCara,
                 QStringLiteral("%1 (0 la impresora decide, 1 una cara, 2 doble cara por el lado largo, "
                                "3 por el lado corto)")
                     .arg(nModo));
    m_dobleCara = DobleCara(nModo);
}

void AjustesImpresion::AsignaPapel(const QString &cPapel)
{
    if (cPapel.trimmed().isEmpty()) {
        m_papel.reset();
        return;
    }
    const std::optional<QPageSize::PageSizeId> papel = PapelPorNombre(cPapel);
    if (!papel)
        NoValido(PropiedadReporte::Papel,
                 QStringLiteral("papel \"%1\" desconocido (A3, A4, A5, Carta u Oficio)").arg(cPapel));
    m_papel = papel;
}

void AjustesImpresion::AsignaPaginas(const QString &cPaginas)
{
    if (cPaginas.trimmed().isEmpty()) {
        m_nDesde = m_nHasta = 0;
        return;
    }
    static const QRegularExpression rango(QStringLiteral("^\\s*([0-9]{1,4})\\s*(?:-\\s*([0-9]{1,4})\\s*)?$"));
    const QRegularExpressionMatch coincide = rango.match(cPaginas);
    const int nDesde = coincide.hasMatch() ? coincide.captured(1).toInt() : 0;
    const int nHasta = coincide.hasMatch() && coincide.hasCaptured(2) ? coincide.captured(2).toInt() : nDesde;
    if (nDesde < 1 || nHasta < nDesde)
        NoValido(PropiedadReporte::Paginas,
                 QStringLiteral("páginas \"%1\" (se escribe N o N-M, desde la página 1)").arg(cPaginas));
    m_nDesde = nDesde;
    m_nHasta = nHasta;
}

void AjustesImpresion::AsignaBandeja(const QString &cBandeja)
{
    QString c = cBandeja.trimmed().toLower();
    c.replace(QChar(u'á'), QLatin1Char('a'));
    if (c.isEmpty())
        m_bandeja.reset();
    else if (c == u"automatica")
        m_bandeja = Bandeja::Automatica;
    else if (c == u"superior")
        m_bandeja = Bandeja::Superior;
    else if (c == u"inferior")
        m_bandeja = Bandeja::Inferior;
    else if (c == u"manual")
        m_bandeja = Bandeja::Manual;
    else
        NoValido(PropiedadReporte::Bandeja,
                 QStringLiteral("bandeja \"%1\" desconocida (automatica, superior, inferior o manual)").arg(cBandeja));
}
