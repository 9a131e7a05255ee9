// Small helpers that many tests share: a saved file's lines without their title, and the
// message of a command that is refused.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "text/errors.h"

namespace tavo::testing {

/// `lines` without the first one (TITL, which a save stamps with its time).
inline std::vector<std::string> withoutTitle(std::vector<std::string> lines) {
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

/// The message of the UserError that `command` throws; "" when it throws none.
inline std::string messageOf(const std::function<void()>& command) {
  try {
    command();
  } catch (const UserError& e) {
    return e.what();
  }
  return {};
}

}  // namespace tavo::testing
