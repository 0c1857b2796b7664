#pragma once

#include <array>

#include "HostObject.h"

class BasesDD;
class DeArchivos;
class DelRegistro;
class HostFactory;
class Utilerias;
class libNucleo;

// The eight host objects that the program keeps from the main window's load to its unload,
// created in a fixed order and released in the same order.
class ObjetosPrograma
{
public:
    static const std::array<QString, 8> &ProgIds();

    void Crea(const HostFactory &fabrica, const HostContext &contexto);
    void Libera();
    bool Creados() const { return m_objetos.front() != nullptr; }

    libNucleo &Nucleo() const;
    BasesDD &Bases() const;
    Utilerias &Utilidades() const;
    DeArchivos &Archivos() const;
    DelRegistro &Registro() const;

private:
    std::array<HostObjectPtr, 8> m_objetos;
};
