#include "ObjetosPrograma.h"

#include "BasesDD.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "HostFactory.h"
#include "Utilerias.h"
#include "libNucleo.h"

namespace {
enum Indice { iNucleo, iBases, iEquipo, iUtilerias, iArchivos, iAcceso, iRegistro, iControles };
}

const std::array<QString, 8> &ObjetosPrograma::ProgIds()
{
    static const std::array<QString, 8> cProgIds = {
        QStringLiteral("Orbe5.libNucleo"),   QStringLiteral("Orbe5.BasesDD"),    QStringLiteral("Orbe5.DeEquipo"),
        QStringLiteral("Orbe5.Utilerias"),   QStringLiteral("Orbe5.DeArchivos"), QStringLiteral("orbe5.DeAcceso"),
        QStringLiteral("orbe5.DelRegistro"), QStringLiteral("Orbe5.DeControles")};
    return cProgIds;
}

void ObjetosPrograma::Crea(const HostFactory &fabrica, const HostContext &contexto)
{
    for (size_t i = 0; i < m_objetos.size(); ++i)
        m_objetos[i] = fabrica.Crea(ProgIds()[i], contexto);
}

void ObjetosPrograma::Libera()
{
    for (HostObjectPtr &objeto : m_objetos)
        objeto.reset();
}

libNucleo &ObjetosPrograma::Nucleo() const
{
    return Como<libNucleo>(m_objetos[iNucleo]);
}
BasesDD &ObjetosPrograma::Bases() const
{
    return Como<BasesDD>(m_objetos[iBases]);
}
Utilerias &ObjetosPrograma::Utilidades() const
{
    return Como<Utilerias>(m_objetos[iUtilerias]);
}
DeArchivos &ObjetosPrograma::Archivos() const
{
    return Como<DeArchivos>(m_objetos[iArchivos]);
}
DelRegistro &ObjetosPrograma::Registro() const
{
    return Como<DelRegistro>(m_objetos[iRegistro]);
}
