#include "editor/AccessKeys.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace zedro {

QString PlainCaption(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&x" shows x, "&&" shows &
    out += text[i];
  }
  return out;
}

QChar AccessKeyOf(const QString& text) {
  for (int i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toLower();
    ++i;
  }
  return QChar();
}

namespace {

// The caption with the marker before the character at that position of the plain caption;
// every "&" of the caption itself is doubled.
QString Marked(const QString& plain, int position) {
  QString out;
  for (int i = 0; i < plain.size(); ++i) {
    if (i == position) out += '&';
    out += plain[i];
    if (plain[i] == '&') out += '&';
  }
  return out;
}

int ChooseKey(const QString& plain, const QSet<QChar>& taken) {
  auto free = [&](int i) { return plain[i].isLetterOrNumber() && !taken.contains(plain[i].toLower()); };
  for (int i = 0; i < plain.size(); ++i)
    if ((i == 0 || !plain[i - 1].isLetterOrNumber()) && free(i)) return i;
  for (int i = 0; i < plain.size(); ++i)
    if (free(i)) return i;
  return -1;
}

}  // namespace

void AssignAccessKeys(const QList<QAction*>& entries) {
  // Hidden entries keep their keys reserved, so that showing them again (the language
  // switch exchanges import and export items) makes no two entries share a key.
  QSet<QChar> taken;
  for (const QAction* a : entries) {
    if (a->isSeparator()) continue;
    const QChar key = AccessKeyOf(a->text());
    if (!key.isNull()) taken.insert(key);
  }
  for (QAction* a : entries) {
    if (a->isSeparator() || !a->isVisible() || !AccessKeyOf(a->text()).isNull()) continue;
    const QString plain = PlainCaption(a->text());
    const int position = ChooseKey(plain, taken);
    if (position < 0) continue;
    taken.insert(plain[position].toLower());
    a->setText(Marked(plain, position));
  }
}

void AssignAccessKeys(QMenu* menu) {
  if (!menu) return;
  const QList<QAction*> entries = menu->actions();
  AssignAccessKeys(entries);
  for (QAction* a : entries)
    if (QMenu* sub = a->menu()) AssignAccessKeys(sub);
}

}  // namespace zedro
