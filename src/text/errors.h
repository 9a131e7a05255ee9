// Errors that reach the user: every command is abandoned with the text of one of these.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tavo {

/// A failure the user must see; what() is the complete message.
class UserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A text that does not convert to a number, with the runtime-style message.
class ConversionError : public UserError {
 public:
  using UserError::UserError;
};

/// A file that cannot be read or written; the message names the path and the reason.
class FileError : public UserError {
 public:
  FileError(const std::filesystem::path& path, const std::string& reason)
      : UserError(path.string() + ": " + reason) {}
};

}  // namespace tavo
