// Runs a test under another process locale (C and C++), restoring the previous one afterwards.
#pragma once

#include <clocale>
#include <locale>
#include <string>

namespace tavo::testing {

/// Sets LC_ALL and the global C++ locale to `name` for its lifetime. available() is false (and
/// nothing changed) when the system does not have that locale.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    m_previousC = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_ALL, name) == nullptr) return;
    try {
      m_previousCpp = std::locale::global(std::locale(name));
    } catch (const std::runtime_error&) {
      std::setlocale(LC_ALL, m_previousC.c_str());
      return;
    }
    m_available = true;
  }
  ~ScopedLocale() {
    if (!m_available) return;
    std::locale::global(m_previousCpp);
    std::setlocale(LC_ALL, m_previousC.c_str());
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

  bool available() const { return m_available; }

 private:
  std::string m_previousC;
  std::locale m_previousCpp;
  bool m_available = false;
};

/// A locale that writes the decimal point as a comma.
inline constexpr const char* commaDecimalLocale = "de_DE.UTF-8";

}  // namespace tavo::testing
