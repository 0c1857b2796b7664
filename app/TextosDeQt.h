#pragma once

class QCoreApplication;

// The program speaks Spanish whatever the user's locale: Qt's own texts too (the buttons of a
// message box, the print dialog, a text box's menu, the batch mode's option errors). Loads
// Qt's Spanish translation from where Qt keeps its translations; says so on the standard error
// when it is not installed (package qt6-translations-l10n), and goes on in English. Over it, the
// program's own Spanish for the few texts that translation leaves in English or says otherwise
// than the program ("fichero").
void CargaTextosDeQtEnEspanol(QCoreApplication &app);
