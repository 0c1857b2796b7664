#pragma once

#include <QString>

class HostError;

// Style and answer codes of a message box, as the platform numbers them.
namespace Msg {
constexpr int SoloAceptar = 0;
constexpr int SiNo = 4;
constexpr int Critico = 16;
constexpr int Pregunta = 32;
constexpr int Exclamacion = 48;
constexpr int SegundoBotonPredeterminado = 256;

constexpr int Aceptar = 1;
constexpr int Si = 6;
constexpr int No = 7;
} // namespace Msg

// Every message box of the program goes through this interface, so that tests can answer
// them and the batch mode can write them to standard error. Line breaks in the text are
// carriage returns.
class Mensajes
{
public:
    virtual ~Mensajes() = default;
    virtual int MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo) = 0;
};

// The standard error box: title "Error", text "Error no. N: description", critical icon.
void MuestraError(Mensajes &mensajes, const HostError &error);
