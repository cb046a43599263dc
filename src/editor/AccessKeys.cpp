#include "editor/AccessKeys.h"

#include <QAction>
#include <QMenu>
#include <QHash>
#include <QSet>
#include <vector>

namespace zedro {

namespace {

// Set on the entries whose key was chosen here; keys of captions given with a mark stay.
const char* const kChosenKey = "zedroChosenAccessKey";

}  // namespace

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

// The positions of a caption's letters and digits that may become its key, the starts of
// words first, each key once.
std::vector<int> Candidates(const QString& plain) {
  std::vector<int> out;
  QSet<QChar> seen;
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < plain.size(); ++i) {
      const bool wordStart = i == 0 || !plain[i - 1].isLetterOrNumber();
      if (!plain[i].isLetterOrNumber() || wordStart != (pass == 0)) continue;
      const QChar key = plain[i].toLower();
      if (seen.contains(key)) continue;
      seen.insert(key);
      out.push_back(i);
    }
  return out;
}

// Keys for as many entries as possible. In menu order each entry takes its first free
// candidate; an entry left without one may then take a key from another entry that can
// move to a different free key (augmenting paths of a bipartite matching; menus are
// short), so that the natural keys stay wherever the letters allow.
class KeyMatching {
 public:
  KeyMatching(std::vector<QString> plains, const QSet<QChar>& fixed) : plains_(std::move(plains)) {
    for (const QString& p : plains_) candidates_.push_back(Candidates(p));
    chosen_.assign(plains_.size(), -1);
    for (QChar k : fixed) owner_.insert(k, -1);
    // First every entry that can have the first letter of one of its words, then the others
    // with letters that are no other entry's first letter where possible: "Botschaft" next
    // to "Beziehungen" takes "t", not the "o" of "Optionen".
    QSet<QChar> initials;
    for (const QString& p : plains_)
      if (!p.isEmpty()) initials.insert(p[0].toLower());
    for (int round = 0; round < 3; ++round)
      for (size_t e = 0; e < plains_.size(); ++e) {
        if (chosen_[e] >= 0) continue;
        for (int i : candidates_[e]) {
          const bool wordStart = i == 0 || !plains_[e][i - 1].isLetterOrNumber();
          if (round == 0 && !wordStart) break;  // word starts come first among the candidates
          if (round == 1 && i > 0 && initials.contains(Key(e, i))) continue;
          if (owner_.contains(Key(e, i))) continue;
          Take(e, i);
          break;
        }
      }
    for (size_t e = 0; e < plains_.size(); ++e) {
      if (chosen_[e] >= 0) continue;
      QSet<QChar> visited;
      Place(e, visited);
    }
  }
  // The position of the chosen key in the entry's caption, or -1.
  int Chosen(size_t entry) const { return chosen_[entry]; }

 private:
  QChar Key(size_t e, int i) const { return plains_[e][i].toLower(); }
  void Take(size_t e, int i) {
    owner_.insert(Key(e, i), static_cast<int>(e));
    chosen_[e] = i;
  }
  bool Place(size_t e, QSet<QChar>& visited) {
    for (int i : candidates_[e]) {
      const QChar k = Key(e, i);
      if (visited.contains(k)) continue;
      visited.insert(k);
      const auto it = owner_.find(k);
      if (it == owner_.end() || (it.value() >= 0 && Place(static_cast<size_t>(it.value()), visited))) {
        Take(e, i);
        return true;
      }
    }
    return false;
  }

  std::vector<QString> plains_;
  std::vector<std::vector<int>> candidates_;
  std::vector<int> chosen_;
  QHash<QChar, int> owner_;  // -1: a key given with a caption
};

}  // namespace

void AssignAccessKeys(const QList<QAction*>& entries) {
  // Keys chosen before are chosen again: the visible entries may have changed.
  for (QAction* a : entries)
    if (a->property(kChosenKey).toBool()) {
      a->setText(Marked(PlainCaption(a->text()), -1));
      a->setProperty(kChosenKey, false);
    }
  QSet<QChar> fixed;
  std::vector<QAction*> open;
  std::vector<QString> plains;
  for (QAction* a : entries) {
    if (a->isSeparator() || !a->isVisible()) continue;
    const QChar key = AccessKeyOf(a->text());
    if (!key.isNull()) {
      fixed.insert(key);
    } else {
      open.push_back(a);
      plains.push_back(PlainCaption(a->text()));
    }
  }
  KeyMatching keys(plains, fixed);
  for (size_t i = 0; i < open.size(); ++i) {
    const int position = keys.Chosen(i);
    if (position < 0) continue;
    open[i]->setText(Marked(plains[i], position));
    open[i]->setProperty(kChosenKey, true);
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
