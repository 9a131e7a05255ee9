// What opening a structure may do besides filling the model.
#pragma once

namespace tavo::model {

/// Options of a read. The defaults are those of the window: the read may write its side files.
struct ReadOptions {
  /// False for a query (tavo-cli info): nothing is written. htab_codes_checking.txt is not
  /// written (the HTAB merge and its message still happen) and a missing array_max.inf is not
  /// created (the default limits are used without a message).
  bool writeFiles = true;
};

}  // namespace tavo::model
