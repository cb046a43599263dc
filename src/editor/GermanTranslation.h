// Qt's own texts in German: the buttons of standard dialogs and the file, font, colour and
// print dialogs. Zedro is a German program, so the German translation is loaded whatever
// language the environment names.
#pragma once

#include <QString>

class QTranslator;

namespace zedro {

// Loads Qt's German translation ("qtbase_de", else "qt_de") from the directory, by default
// Qt's translation directory, installs it in the application and makes German the default
// locale. Returns the installed translator (owned by the application), or nullptr when no
// translation file could be loaded; the program then runs with Qt's English texts where it
// has none of its own.
QTranslator* InstallGermanQtTranslation(const QString& directory = {});

}  // namespace zedro
