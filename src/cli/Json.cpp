#include "cli/Json.h"

#include <cstdio>
#include <ostream>

#include "model/Win1252.h"

namespace zedro::cli {

Json::~Json() { Flush(); }

void Json::Flush() {
  if (!sink_ || out_.empty()) return;
  sink_->write(out_.data(), static_cast<std::streamsize>(out_.size()));
  out_.clear();
}

void Json::Indent() {
  out_ += '\n';
  out_.append(first_.size() * 2, ' ');
}

void Json::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ += ',';
    first_.back() = false;
    Indent();
  }
}

Json& Json::BeginObject() {
  Separate();
  out_ += '{';
  first_.push_back(true);
  return *this;
}

Json& Json::EndObject() {
  bool empty = first_.back();
  first_.pop_back();
  if (!empty) Indent();
  out_ += '}';
  if (first_.empty()) out_ += '\n';
  Written();
  return *this;
}

Json& Json::BeginArray() {
  Separate();
  out_ += '[';
  first_.push_back(true);
  return *this;
}

Json& Json::EndArray() {
  bool empty = first_.back();
  first_.pop_back();
  if (!empty) Indent();
  out_ += ']';
  Written();
  return *this;
}

Json& Json::Key(const std::string& key) {
  Separate();
  Quoted(key);
  out_ += ": ";
  afterKey_ = true;
  return *this;
}

Json& Json::Value(const std::string& s) {
  Separate();
  Quoted(s);
  Written();
  return *this;
}

void Json::Quoted(const std::string& s) {
  // Text of 7-bit bytes is its own UTF-8 form.
  const std::string converted = text::HasHighBytes(s) ? text::ToUtf8(s) : std::string();
  const std::string& utf8 = converted.empty() ? s : converted;
  out_ += '"';
  for (unsigned char c : utf8) {
    switch (c) {
      case '"':
        out_ += "\\\"";
        break;
      case '\\':
        out_ += "\\\\";
        break;
      case '\n':
        out_ += "\\n";
        break;
      case '\r':
        out_ += "\\r";
        break;
      case '\t':
        out_ += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out_ += buf;
        } else {
          out_ += static_cast<char>(c);
        }
    }
  }
  out_ += '"';
}

Json& Json::Value(long long v) {
  Separate();
  out_ += std::to_string(v);
  Written();
  return *this;
}

Json& Json::Value(bool b) {
  Separate();
  out_ += b ? "true" : "false";
  return *this;
}

Json& Json::Null() {
  Separate();
  out_ += "null";
  return *this;
}

Json& Json::Strings(const std::vector<std::string>& lines) {
  BeginArray();
  for (const auto& l : lines) Value(l);
  return EndArray();
}

}  // namespace zedro::cli
