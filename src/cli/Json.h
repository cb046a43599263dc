// A small JSON writer for zedro-cli. Strings given to it are Windows-1252 text and are
// written as UTF-8.
#pragma once

#include <iosfwd>
#include <string>
#include <type_traits>
#include <vector>

#include "persistence/StoredCodes.h"

namespace zedro::cli {

class Json {
 public:
  // Collects the text in memory (Text()).
  Json() = default;
  // Streams the text to out in blocks, so that a large diagram's text is never held in
  // memory as a whole; the rest is written by Flush or at the latest by the destructor.
  explicit Json(std::ostream& out) : sink_(&out) {}
  ~Json();
  Json(const Json&) = delete;
  Json& operator=(const Json&) = delete;

  void Flush();

  Json& BeginObject();
  Json& EndObject();
  Json& BeginArray();
  Json& EndArray();
  Json& Key(const std::string& key);
  Json& Value(const std::string& s);
  Json& Value(const char* s) { return Value(std::string(s)); }
  Json& Value(long long v);
  Json& Value(int v) { return Value(static_cast<long long>(v)); }
  Json& Value(bool b);
  // A kind or setting of the model as the integer that files store for it.
  template <class E>
    requires std::is_enum_v<E>
  Json& Value(E e) {
    return Value(CodeOf(e));
  }
  Json& Null();
  Json& Strings(const std::vector<std::string>& lines);

  template <class T>
  Json& Field(const std::string& key, const T& v) {
    Key(key);
    return Value(v);
  }

  // The text written so far (without a sink: all of it).
  const std::string& Text() const { return out_; }

 private:
  void Separate();
  void Quoted(const std::string& s);
  void Indent();
  void Written() {
    if (sink_ && out_.size() >= kBlock) Flush();
  }
  static constexpr size_t kBlock = 1 << 16;
  std::ostream* sink_ = nullptr;
  std::string out_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool afterKey_ = false;
};

}  // namespace zedro::cli
