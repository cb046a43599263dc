#include "persistence/SystemErrors.h"

#include <cerrno>

#include "model/Win1252.h"

namespace zedro {

std::string SystemErrorText(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return W("Die Datei oder das Verzeichnis ist nicht vorhanden.");
    case EACCES:
    case EPERM:
      return W("Zugriff verweigert: Sie haben keine Berechtigung für diese Datei oder dieses "
               "Verzeichnis.");
    case EISDIR:
      return W("Das ist ein Verzeichnis und keine Datei.");
    case ENOTDIR:
      return W("Ein Teil des Pfades ist kein Verzeichnis.");
    case ENOSPC:
      return W("Auf dem Datenträger ist kein Platz mehr frei.");
#ifdef EDQUOT
    case EDQUOT:
      return W("Ihr Speicherplatz auf dem Datenträger ist aufgebraucht.");
#endif
    case EROFS:
      return W("Der Datenträger ist schreibgeschützt.");
    case ENAMETOOLONG:
      return W("Der Dateiname ist zu lang.");
    case EEXIST:
      return W("Die Datei ist schon vorhanden.");
    case EIO:
      return W("Beim Lesen oder Schreiben des Datenträgers ist ein Fehler aufgetreten.");
    case EMFILE:
    case ENFILE:
      return W("Es sind zu viele Dateien gleichzeitig geöffnet.");
    case EBUSY:
    case ETXTBSY:
      return W("Die Datei wird gerade von einem anderen Programm benutzt.");
    case ELOOP:
      return W("Der Pfad enthält zu viele symbolische Verweise.");
    case EXDEV:
      return W("Die Datei kann nicht auf einen anderen Datenträger verschoben werden.");
    case ENOMEM:
      return W("Nicht genug Arbeitsspeicher.");
    case EFBIG:
      return W("Die Datei ist zu groß.");
    case EINVAL:
      return W("Der Dateiname ist ungültig.");
    default:
      return W("Das Betriebssystem meldet den Fehler Nummer ") + text::IntToStr(errorNumber) +
             ".";
  }
}

}  // namespace zedro
