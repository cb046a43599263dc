// The notation of the active diagram window: 1 Delphi (Pascal) notation, 2 Java notation.
// Display texts of the class model (and with them the order of overloaded methods) follow
// this one application-wide value; the editor sets it whenever a diagram window becomes
// active or switches its language. It is the only global state of the program.
#pragma once

namespace zedro {

class ActiveNotation {
 public:
  static int Get() { return value_; }
  static void Set(int language) { value_ = language; }

 private:
  static inline int value_ = 1;
};

// Sets the notation for the lifetime of the guard and restores the previous one after.
class NotationScope {
 public:
  explicit NotationScope(int language) : saved_(ActiveNotation::Get()) {
    ActiveNotation::Set(language);
  }
  ~NotationScope() { ActiveNotation::Set(saved_); }
  NotationScope(const NotationScope&) = delete;
  NotationScope& operator=(const NotationScope&) = delete;

 private:
  int saved_;
};

}  // namespace zedro
