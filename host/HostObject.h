#pragma once

#include <QString>

#include <memory>

struct HostContext;

// Base of every host library object: it knows the context it was created in.
class HostObject
{
public:
    explicit HostObject(const HostContext &contexto) : m_contexto(contexto) {}
    virtual ~HostObject() = default;
    HostObject(const HostObject &) = delete;
    HostObject &operator=(const HostObject &) = delete;

    const HostContext &Contexto() const { return m_contexto; }

private:
    const HostContext &m_contexto;
};

using HostObjectPtr = std::unique_ptr<HostObject>;

// The object in a slot as the class the caller needs; a different class is a type mismatch.
template <class T> T &Como(const HostObjectPtr &objeto);
