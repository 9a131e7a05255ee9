// The ports through which the core asks the platform for dialogs and for the clock.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::model {

/// Message boxes, file choosers and the text printer; the Qt program, the CLI and tests implement
/// it.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  /// Shows `text` in a message box and waits for the user to close it.
  virtual void message(std::string_view text) = 0;
  /// Routine information (what an import renamed, the steps of a CIF, an expansion's summary):
  /// kept where the user can read it back without having to close it. Without such a place it
  /// is a message.
  virtual void inform(std::string_view text) { message(text); }
  /// Asks a yes/no question; true for yes.
  virtual bool confirm(std::string_view question) = 0;
  /// Open dialog in `folder`; empty when cancelled.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path& folder,
                                                                std::string_view filter) = 0;
  /// Save dialog in `folder` proposing `proposedName`; empty when cancelled.
  virtual std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path& folder,
                                                                std::string_view proposedName,
                                                                std::string_view filter) = 0;
  /// Colour dialog starting at `color` (red in the low byte); empty when cancelled.
  virtual std::optional<int> chooseColor(int color) { return color; }
  /// Shows how far a long computation `task` has come (0..100; 100 ends it) with a button that
  /// cancels it; false once the user has cancelled. Without a user, it always goes on.
  virtual bool progress(std::string_view task, int percent) {
    (void)task;
    (void)percent;
    return true;
  }
  /// Prints text lines; false when the user cancelled the print dialog.
  virtual bool printLines(const std::vector<std::string>& lines) {
    (void)lines;
    return false;
  }
};

/// Dialogs without a user: every message is collected, every question answered no, no file
/// chosen. For batch commands, benchmarks and fuzzing.
class CollectingDialogs final : public Dialogs {
 public:
  std::vector<std::string> shown;  // every message and question, in order
  void message(std::string_view text) override { shown.emplace_back(text); }
  bool confirm(std::string_view question) override {
    shown.emplace_back(question);
    return false;
  }
  std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path&,
                                                        std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path&,
                                                        std::string_view,
                                                        std::string_view) override {
    return std::nullopt;
  }
};

/// The date-time text and the pause of the platform.
class Clock {
 public:
  virtual ~Clock() = default;
  /// The current date and time as the platform writes them, e.g. "10/12/2026 04:27:36".
  virtual std::string dateTimeText() = 0;
  /// Waits about `milliseconds`; the Qt side keeps the window responsive meanwhile.
  virtual void pause(int milliseconds) = 0;
  /// Today's local date as yyyy-mm-dd, whatever the platform's date format.
  virtual std::string isoDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[16];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local);
    return buffer;
  }
};

}  // namespace tavo::model
