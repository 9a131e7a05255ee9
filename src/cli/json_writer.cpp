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

namespace {

/// The length of the well-formed UTF-8 sequence that starts at `at` (a byte of 0x80 or more):
/// 2 to 4, or 0 when the bytes there are no UTF-8 (a stray continuation byte, a cut sequence, an
/// overlong form, a surrogate or a code point above U+10FFFF).
std::size_t utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size() || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

void JsonWriter::value(std::string_view text) {
  separate();
  m_text += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // Bytes of a file that are no UTF-8 become U+FFFD: a JSON text is UTF-8 throughout.
      const std::size_t length = utf8Length(text, i);
      if (length == 0) {
        m_text += "\\ufffd";
      } else {
        m_text.append(text.substr(i, length));
        i += length - 1;
      }
      continue;
    }
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
