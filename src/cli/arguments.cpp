// Splitting the command line of tavo-cli.
#include "cli/arguments.h"

#include "text/errors.h"

namespace tavo::cli {

Arguments parseArguments(const std::vector<std::string>& args, const std::set<std::string>& flags,
                         const std::set<std::string>& withValue) {
  Arguments result;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 1 && arg[0] == '-') {
      if (flags.count(arg)) {
        result.flags.insert(arg);
      } else if (withValue.count(arg)) {
        if (i + 1 >= args.size()) throw UserError("option " + arg + " needs a value");
        result.options[arg] = args[++i];
      } else {
        throw UserError("unknown option " + arg);
      }
    } else {
      result.positional.push_back(arg);
    }
  }
  return result;
}

}  // namespace tavo::cli
