#include "HostFactory.h"

#include "BasesDD.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "ObjetosSoloCreados.h"
#include "Utilerias.h"
#include "libNucleo.h"

namespace {
template <class T> HostFactory::Creador CreadorDe()
{
    return [](const HostContext &contexto) { return HostObjectPtr(new T(contexto)); };
}
} // namespace

HostFactory::HostFactory()
{
    Registra(QStringLiteral("Orbe5.libNucleo"), CreadorDe<libNucleo>());
    Registra(QStringLiteral("Orbe5.BasesDD"), CreadorDe<BasesDD>());
    Registra(QStringLiteral("Orbe5.DeEquipo"), CreadorDe<DeEquipo>());
    Registra(QStringLiteral("Orbe5.Utilerias"), CreadorDe<Utilerias>());
    Registra(QStringLiteral("Orbe5.DeArchivos"), CreadorDe<DeArchivos>());
    Registra(QStringLiteral("Orbe5.DeAcceso"), CreadorDe<DeAcceso>());
    Registra(QStringLiteral("Orbe5.DelRegistro"), CreadorDe<DelRegistro>());
    Registra(QStringLiteral("Orbe5.DeControles"), CreadorDe<DeControles>());
}

void HostFactory::Registra(const QString &cProgId, Creador creador)
{
    m_creadores.insert(cProgId.toLower(), std::move(creador));
}

void HostFactory::Quita(const QString &cProgId)
{
    m_creadores.remove(cProgId.toLower());
}

HostObjectPtr HostFactory::Crea(const QString &cProgId, const HostContext &contexto) const
{
    const auto it = m_creadores.constFind(cProgId.toLower());
    if (it == m_creadores.constEnd())
        throw HostError(CodigoErrorHost::NoSePuedeCrearObjeto,
                        QStringLiteral("No se puede crear el objeto %1: la clase no está registrada").arg(cProgId));
    return (*it)(contexto);
}
