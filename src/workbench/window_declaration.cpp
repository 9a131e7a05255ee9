// Resolving a script's words in a declared window, and the helpers of the declarations.
#include "workbench/window_declaration.h"

#include "text/errors.h"
#include "text/text.h"

namespace tavo::workbench {

bool ControlDeclaration::answersTo(std::string_view word) const {
  if (word == name) return true;
  for (const std::string& alias : aliases) {
    if (word == alias) return true;
  }
  return false;
}

const ControlDeclaration* WindowDeclaration::findControl(std::string_view word) const {
  for (const ControlDeclaration& control : controls) {
    if (control.answersTo(word)) return &control;
  }
  return nullptr;
}

const ControlDeclaration* WindowDeclaration::doubleClickTable() const {
  for (const ControlDeclaration& control : controls) {
    if (control.doubleClick) return &control;
  }
  return nullptr;
}

namespace {

std::string inQuotes(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

ControlInput rest(const std::vector<std::string>& words, std::size_t from) {
  if (from >= words.size()) return {};
  return ControlInput(words.begin() + static_cast<std::ptrdiff_t>(from), words.end());
}

WindowCall doubleClickCall(const WindowDeclaration& window, const std::vector<std::string>& words) {
  if (words.size() >= 2) {
    const ControlDeclaration* named = window.findControl(words[1]);
    if (named != nullptr && named->doubleClick) return {named, true, rest(words, 2)};
  }
  const ControlDeclaration* grid = window.doubleClickTable();
  if (grid == nullptr) throw UserError(inQuotes(window.caption) + " has nothing to double-click");
  return {grid, true, rest(words, 1)};
}

}  // namespace

WindowCall resolveWindowCall(const WindowDeclaration& window,
                             const std::vector<std::string>& words) {
  if (words.empty()) throw UserError(inQuotes(window.caption) + ": what to do in it is missing");
  const std::string& first = words[0];
  const bool print = first == "print" || first == "list";
  if (print && !window.print) throw UserError(inQuotes(window.caption) + " has nothing to print");
  const ControlDeclaration* hiddenControl = window.findControl(first);
  if (!window.isShown() && !(!print && hiddenControl != nullptr && hiddenControl->whileHidden)) {
    std::string message = inQuotes(window.caption) + " is not shown";
    if (!window.shownBy.empty()) message += " (" + window.shownBy + ")";
    throw UserError(message);
  }
  if (print) return {};
  if (first == "DoubleClick" || first == "double-click") return doubleClickCall(window, words);
  if ((first == "press" || first == "set") && words.size() >= 2) {
    if (const ControlDeclaration* control = window.findControl(words[1]))
      return {control, false, rest(words, 2)};
  }
  if (const ControlDeclaration* control = window.findControl(first))
    return {control, false, rest(words, 1)};
  const std::string& named =
      (first == "press" || first == "set") && words.size() >= 2 ? words[1] : first;
  throw UserError(inQuotes(window.caption) + " has no control " + inQuotes(named));
}

int intValue(std::string_view control, const ControlInput& values, std::size_t k) {
  if (k >= values.size()) throw UserError(std::string(control) + " needs a number");
  return text::parseInt(values[k]);
}

std::string joinedText(const ControlInput& values) {
  std::string joined;
  for (const std::string& value : values)
    joined += (joined.empty() ? "" : " ") + value;
  return joined;
}

std::vector<std::string> gridPrintLines(const text::TextGrid& grid) {
  std::vector<std::string> lines;
  for (int r = 0; r < grid.rowCount(); ++r) {
    std::string line;
    const std::vector<std::string>& row = grid.row(r);
    for (std::size_t c = 0; c < row.size(); ++c)
      line += (c == 0 ? "" : " | ") + row[c];
    lines.push_back(std::move(line));
  }
  return lines;
}

bool checkValue(std::string_view control, const ControlInput& values) {
  return intValue(control, values) != 0;
}

WindowDeclaration declaredWindow(std::string name, std::string caption, std::string shownBy,
                                 std::function<bool()> shown) {
  WindowDeclaration window;
  window.name = std::move(name);
  window.caption = std::move(caption);
  window.shownBy = std::move(shownBy);
  window.shown = std::move(shown);
  return window;
}

ControlDeclaration control(std::string name, ControlKind kind, ControlAction act) {
  ControlDeclaration made;
  made.name = std::move(name);
  made.kind = kind;
  made.act = std::move(act);
  return made;
}

ControlDeclaration press(std::string name, std::function<void()> action,
                         std::vector<std::string> aliases) {
  ControlDeclaration made =
      control(std::move(name), ControlKind::Press,
              [action = std::move(action)](const ControlInput&) { action(); });
  made.aliases = std::move(aliases);
  return made;
}

ControlDeclaration textField(std::string name, std::function<void(const std::string&)> action,
                             std::vector<std::string> aliases) {
  ControlDeclaration made = control(
      std::move(name), ControlKind::Text,
      [action = std::move(action)](const ControlInput& values) { action(joinedText(values)); });
  made.aliases = std::move(aliases);
  return made;
}

ControlDeclaration numberField(std::string name, std::function<void(int)> action,
                               std::vector<std::string> aliases) {
  ControlDeclaration made = control(
      name, ControlKind::Number,
      [name, action = std::move(action)](const ControlInput& v) { action(intValue(name, v)); });
  made.aliases = std::move(aliases);
  return made;
}

ControlDeclaration checkBox(std::string name, std::function<void(bool)> action,
                            std::vector<std::string> aliases) {
  ControlDeclaration made = control(
      name, ControlKind::Choice,
      [name, action = std::move(action)](const ControlInput& v) { action(checkValue(name, v)); });
  made.aliases = std::move(aliases);
  return made;
}

ControlDeclaration table(std::string name, ControlAction select, ControlAction doubleClick,
                         std::vector<std::string> aliases) {
  ControlDeclaration made = control(std::move(name), ControlKind::Table, std::move(select));
  made.doubleClick = std::move(doubleClick);
  made.aliases = std::move(aliases);
  return made;
}

}  // namespace tavo::workbench
