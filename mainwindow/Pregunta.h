#pragma once

#include <QString>

class Mensajes;

// A Yes/No question with the question icon; No is the default button when bDefaultNo.
// True exactly when the user answered Yes.
bool Pregunta(Mensajes &mensajes, QString &cPrompt, QString &cTitulo, bool &bDefaultNo);
