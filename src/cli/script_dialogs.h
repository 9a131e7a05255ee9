// The dialogs of a tavo-cli run script: every message is printed as it is shown, and questions
// and file choosers take the replies the script gave with `answer`.
#pragma once

#include <deque>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/dialogs.h"

namespace tavo::cli {

class ScriptDialogs final : public model::Dialogs {
 public:
  /// Messages go to `out`; a relative file name of an answer is taken from `baseFolder`.
  ScriptDialogs(std::ostream& out, std::filesystem::path baseFolder)
      : m_out(out), m_baseFolder(std::move(baseFolder)) {}

  /// Every message and question since the last clearShown(), in order.
  const std::vector<std::string>& shown() const { return m_shown; }
  void clearShown() { m_shown.clear(); }
  /// The reply to the next question, input box or file chooser: "yes", "no" or a text.
  void queueAnswer(std::string answer) { m_answers.push_back(std::move(answer)); }

  void message(std::string_view text) override;
  /// Printing writes the lines to the output.
  bool printLines(const std::vector<std::string>& lines) override;
  /// Takes the next answer, which must be yes or no; UserError without one.
  bool confirm(std::string_view question) override;
  /// The next answer as a file name; UserError without one.
  std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path& folder,
                                                        std::string_view filter) override;
  std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view proposedName,
                                                        std::string_view filter) override;

 private:
  std::string nextAnswer(std::string_view forWhat);

  std::ostream& m_out;
  std::filesystem::path m_baseFolder;
  std::deque<std::string> m_answers;
  std::vector<std::string> m_shown;
};

}  // namespace tavo::cli
