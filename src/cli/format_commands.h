// tavo-cli export and import: the File menu's exports and the Import menu without a window.
#pragma once

#include <string>
#include <vector>

namespace tavo::cli {

/// tavo-cli export FILE --to FORMAT -o OUT: opens FILE (an instruction file, or a foreign file
/// imported as the Import menu does) and runs the export of FORMAT (cartesian, pdb, xyz,
/// gaussian, cif, texsan) with OUT as the answer of its save dialog (texsan: the folder of its
/// three files). 0 when the file was written.
int runExportCommand(const std::vector<std::string>& args);

/// tavo-cli import FILE -o OUT.ins: imports FILE as the Import menu does (the format from
/// --from or the file's extension) and saves the new structure as OUT.ins. 0 when it was saved.
int runImportCommand(const std::vector<std::string>& args);

}  // namespace tavo::cli
