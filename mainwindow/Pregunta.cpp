#include "Pregunta.h"

#include "Mensajes.h"

bool Pregunta(Mensajes &mensajes, QString &cPrompt, QString &cTitulo, bool &bDefaultNo)
{
    int nEstilo = Msg::SiNo + Msg::Pregunta;
    if (bDefaultNo)
        nEstilo += Msg::SegundoBotonPredeterminado;
    return mensajes.MsgBox(cPrompt, nEstilo, cTitulo) == Msg::Si;
}
