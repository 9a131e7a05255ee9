// Splitting the command line of tavo-cli into the file, flags and options.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavo::cli {

struct Arguments {
  std::vector<std::string> positional;
  std::set<std::string> flags;                 // "--json"
  std::map<std::string, std::string> options;  // "--program-folder" -> "DIR"
  std::optional<std::string> option(const std::string& name) const {
    const auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
  }
};

/// Splits `args`; names in `withValue` take the next argument as their value. Throws
/// UserError for an unknown option or a missing value.
Arguments parseArguments(const std::vector<std::string>& args, const std::set<std::string>& flags,
                         const std::set<std::string>& withValue);

}  // namespace tavo::cli
