// A Workbench without a window for tavo-cli: the same open and save paths as the Qt program,
// with the messages going to the given dialogs and the picture to the given canvas.
#pragma once

#include <filesystem>

#include "cli/console_ports.h"
#include "view/canvas.h"
#include "workbench/posix_program_runner.h"
#include "workbench/workbench.h"

namespace tavo::cli {

/// A canvas that draws nothing, for commands that need no picture.
class NullCanvas final : public view::Canvas {
 public:
  void rectangle(int, int, int, int) override {}
  void ellipse(int, int, int, int) override {}
  void line(int, int, int, int) override {}
  void text(int, int, std::string_view) override {}
};

/// What a command does with the Workbench.
enum class SessionUse {
  Query,    // tavo-cli info: writes no file, needs no graphics settings
  Edit,     // tavo-cli save: needs no graphics settings
  Picture,  // tavo-cli render and run: the picture of the window, with its settings
};

/// One Workbench over `programFolder` with a pane of `width` x `height` pixels.
class HeadlessSession {
 public:
  HeadlessSession(model::Dialogs& dialogs, view::Canvas& canvas,
                  const std::filesystem::path& programFolder, SessionUse use, int width = 1000,
                  int height = 800);

  workbench::Workbench& bench() { return m_bench; }
  /// Opens `file` through the one open path of the Workbench; false when it was refused or
  /// failed (the reason shown through the dialogs).
  bool open(const std::filesystem::path& file);
  /// The runner of the refinement program (it returns once the program has ended).
  workbench::PosixProgramRunner& runner() { return m_runner; }

 private:
  SystemClock m_clock;
  workbench::PosixProgramRunner m_runner;
  workbench::Workbench m_bench;
};

/// The program folder of --program-folder, or the current directory.
std::filesystem::path programFolderFrom(const std::optional<std::string>& option);

}  // namespace tavo::cli
