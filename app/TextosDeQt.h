#pragma once

class QCoreApplication;

// The program speaks Spanish whatever the user's locale: Qt's own texts too (the buttons of a
// message box, the print dialog, a text box's menu, the batch mode's option errors). Loads
// Qt's Spanish translation from where Qt keeps its translations; says so on the standard error
// when it is not installed (package qt6-translations-l10n), and goes on in English.
void CargaTextosDeQtEnEspanol(QCoreApplication &app);
