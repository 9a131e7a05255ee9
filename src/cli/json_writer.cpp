// A small writer of JSON text.
#include "cli/json_writer.h"

#include <cmath>
#include <cstdio>

#include "text/text.h"

namespace tavo::cli {

void JsonWriter::separate() {
  if (m_afterKey) {
    m_afterKey = false;
    return;
  }
  if (!m_first.empty()) {
    if (!m_first.back()) m_text += ',';
    m_first.back() = false;
  }
}

void JsonWriter::beginObject() {
  separate();
  m_text += '{';
  m_first.push_back(true);
}

void JsonWriter::endObject() {
  m_text += '}';
  m_first.pop_back();
}

void JsonWriter::beginArray() {
  separate();
  m_text += '[';
  m_first.push_back(true);
}

void JsonWriter::endArray() {
  m_text += ']';
  m_first.pop_back();
}

void JsonWriter::key(std::string_view name) {
  value(name);
  m_text += ':';
  m_afterKey = true;
}

void JsonWriter::value(std::string_view text) {
  separate();
  m_text += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        m_text += "\\\"";
        break;
      case '\\':
        m_text += "\\\\";
        break;
      case '\n':
        m_text += "\\n";
        break;
      case '\r':
        m_text += "\\r";
        break;
      case '\t':
        m_text += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          m_text += escaped;
        } else {
          m_text += c;
        }
    }
  }
  m_text += '"';
}

void JsonWriter::value(double number) {
  separate();
  m_text += std::isfinite(number) ? text::formatShortest(number) : "null";
}

void JsonWriter::value(int number) {
  separate();
  m_text += std::to_string(number);
}

void JsonWriter::value(bool flag) {
  separate();
  m_text += flag ? "true" : "false";
}

void JsonWriter::numbers(const std::vector<double>& values) {
  beginArray();
  for (const double v : values)
    value(v);
  endArray();
}

}  // namespace tavo::cli
