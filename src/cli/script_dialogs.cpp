// The dialogs of a tavo-cli run script.
#include "cli/script_dialogs.h"

#include <ostream>

#include "text/errors.h"
#include "text/text.h"

namespace tavo::cli {

void ScriptDialogs::message(std::string_view text) {
  m_out << text << '\n';
  m_shown.emplace_back(text);
}

bool ScriptDialogs::printLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    m_out << line << '\n';
  return true;
}

std::string ScriptDialogs::nextAnswer(std::string_view forWhat) {
  if (m_answers.empty()) {
    throw UserError("no answer was given for " + std::string(forWhat) +
                    " (give one with 'answer' before the command)");
  }
  std::string answer = std::move(m_answers.front());
  m_answers.pop_front();
  return answer;
}

bool ScriptDialogs::confirm(std::string_view question) {
  m_out << question << '\n';
  m_shown.emplace_back(question);
  const std::string answer = nextAnswer("the question \"" + std::string(question) + "\"");
  const std::string word = text::upper(answer);
  if (word == "YES") return true;
  if (word == "NO") return false;
  throw UserError("the answer to a question is yes or no, not '" + answer + "'");
}

std::optional<std::filesystem::path> ScriptDialogs::chooseFileToOpen(const std::filesystem::path&,
                                                                     std::string_view) {
  return m_baseFolder / nextAnswer("the open dialog");
}

std::optional<std::filesystem::path> ScriptDialogs::chooseFileToSave(const std::filesystem::path&,
                                                                     std::string_view,
                                                                     std::string_view) {
  return m_baseFolder / nextAnswer("the save dialog");
}

}  // namespace tavo::cli
