#include "editor/GermanTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zedro {

QTranslator* InstallGermanQtTranslation(const QString& directory) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return nullptr;
  const QString dir =
      directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : directory;
  auto* translator = new QTranslator(app);
  for (const char* name : {"qtbase_de", "qt_de"})
    if (translator->load(QString::fromLatin1(name), dir) &&
        QCoreApplication::installTranslator(translator))
      return translator;
  delete translator;
  return nullptr;
}

}  // namespace zedro
