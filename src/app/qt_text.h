// The one place where core text (std::string, UTF-8 bytes) and Qt text (QString) meet.
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace tavo::app {

/// Core text as a QString; the bytes are taken as UTF-8.
inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString toQString(const std::string& text) {
  return toQString(std::string_view(text));
}
inline QString toQString(const char* text) {
  return toQString(std::string_view(text));
}

/// A path as a QString for Qt's file dialogs and captions.
inline QString toQString(const std::filesystem::path& path) {
  const std::string text = path.string();
  return toQString(std::string_view(text));
}

/// A QString as core text (UTF-8 bytes).
inline std::string toStd(const QString& text) {
  return text.toUtf8().toStdString();
}

/// A QString naming a file as a path.
inline std::filesystem::path toPath(const QString& text) {
  return std::filesystem::path(text.toUtf8().toStdString());
}

}  // namespace tavo::app
