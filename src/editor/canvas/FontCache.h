// The fonts a canvas has drawn with: one entry per face (a font without its colour), and
// the entry of the current font, looked up again only after the face changed.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "diagram/Font.h"

namespace zedro {

template <class Entry>
class FontCache {
 public:
  // The entry of the font, found by its key; make() builds it the first time.
  template <class Make>
  Entry& Current(const TFontSpec& font, std::string (*keyOf)(const TFontSpec&), Make make) {
    if (current_) return *current_;
    const std::string key = keyOf(font);
    auto it = entries_.find(key);
    if (it == entries_.end()) it = entries_.emplace(key, make()).first;
    current_ = it->second.get();
    currentFont_ = font;
    return *current_;
  }
  // The canvas's font was set: a new colour keeps the current entry, another face drops it.
  void FontChanged(const TFontSpec& font) {
    const TFontSpec& a = font;
    const TFontSpec& b = currentFont_;
    if (current_ && !(a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold &&
                      a.Italic == b.Italic && a.Underline == b.Underline &&
                      a.StrikeOut == b.StrikeOut))
      current_ = nullptr;
  }
  template <class Visit>
  void ForEach(Visit visit) {
    for (auto& entry : entries_) visit(*entry.second);
  }

 private:
  std::unordered_map<std::string, std::unique_ptr<Entry>> entries_;
  Entry* current_ = nullptr;
  TFontSpec currentFont_;
};

}  // namespace zedro
