#pragma once
// Qt's own texts (file dialogs, standard buttons, context menus of fields) in German,
// like the rest of the window, whatever language the desktop speaks.

class QCoreApplication;

// Loads Qt's German translation into the application; false when it is not installed
// (Debian package qt6-translations-l10n), and Qt's texts stay English.
bool InstallGermanQtTexts(QCoreApplication& application);
