// A small writer of JSON text for the command-line tool's machine-readable output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavo::cli {

/// Builds one JSON document; the caller opens and closes objects and arrays in order.
class JsonWriter {
 public:
  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  /// The key of the next value inside an object.
  void key(std::string_view name);
  /// A string value, escaped; bytes that are not UTF-8 are written as U+FFFD.
  void value(std::string_view text);
  void value(const char* text) { value(std::string_view(text)); }
  void value(double number);
  void value(int number);
  void value(bool flag);
  void numbers(const std::vector<double>& values);
  const std::string& text() const { return m_text; }

 private:
  void separate();
  std::string m_text;
  std::vector<bool> m_first;  // per open container: no element written yet
  bool m_afterKey = false;
};

}  // namespace tavo::cli
