#pragma once

#include <QMap>
#include <QString>

#include <functional>

#include "HostError.h"
#include "HostObject.h"

// Creates host objects by ProgID, without regard to letter case. The classes of the host
// library are registered at construction; tests may register their own in their place.
class HostFactory
{
public:
    using Creador = std::function<HostObjectPtr(const HostContext &)>;

    HostFactory();

    void Registra(const QString &cProgId, Creador creador);
    void Quita(const QString &cProgId);
    HostObjectPtr Crea(const QString &cProgId, const HostContext &contexto) const;

private:
    QMap<QString, Creador> m_creadores; // keyed by the lower-case ProgID
};

template <class T> T &Como(const HostObjectPtr &objeto)
{
    T *p = dynamic_cast<T *>(objeto.get());
    if (!p)
        throw HostError(objeto ? CodigoErrorHost::TipoNoCoincide : CodigoErrorHost::ObjetoNoAsignado,
                        objeto ? QStringLiteral("El objeto no es de la clase esperada")
                               : QStringLiteral("Variable de objeto no establecida"));
    return *p;
}
