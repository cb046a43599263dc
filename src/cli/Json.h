// A small JSON writer for zedro-cli. Strings given to it are Windows-1252 text and are
// written as UTF-8.
#pragma once

#include <string>
#include <vector>

namespace zedro::cli {

class Json {
 public:
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
  Json& Null();
  Json& Strings(const std::vector<std::string>& lines);

  template <class T>
  Json& Field(const std::string& key, const T& v) {
    Key(key);
    return Value(v);
  }

  const std::string& Text() const { return out_; }

 private:
  void Separate();
  void Quoted(const std::string& s);
  void Indent();
  std::string out_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool afterKey_ = false;
};

}  // namespace zedro::cli
