// The auxiliary windows' controls by objectName, each with the command the control runs.
#include "workbench/window_controls.h"

#include <array>
#include <string>

#include "text/errors.h"
#include "text/text.h"
#include "workbench/workbench.h"

namespace tavo::workbench {

namespace {

using Value = std::optional<std::string_view>;
using WindowHandler = bool (*)(Workbench& bench, std::string_view control, Value value);

[[noreturn]] void needsValue(std::string_view control) {
  throw UserError(std::string(control) + " takes a value");
}

std::string valueOf(std::string_view control, Value value) {
  if (!value) needsValue(control);
  return std::string(*value);
}

// "Shelxl-97 Job Control Commands"
bool jobControlWindow(Workbench& b, std::string_view control, Value value) {
  JobControlCommands& j = b.jobControl();
  if (control == "LineList")
    j.selectRow(text::parseInt(valueOf(control, value)));
  else if (control == "Edit1")
    j.setEditText(valueOf(control, value));
  else if (control == "Apply")
    j.apply();
  else if (control == "Delete")
    j.deleteRow();
  else if (control == "MoveUpward")
    j.moveUp();
  else if (control == "MoveDwonward")
    j.moveDown();
  else if (control == "Print")
    j.print();
  else if (control == "Exit")
    j.closeWindow();
  else if (const JobCard* card = findJobCard(control))
    j.insertCard(*card);
  else
    return false;
  return true;
}

// "Edit and Save *.ins file"
bool lineEditorWindow(Workbench& b, std::string_view control, Value value) {
  JobControlCommands& j = b.jobControl();
  if (control == "LineList" || control == "RowSelector")
    j.selectEditorRow(text::parseInt(valueOf(control, value)));
  else if (control == "Edit1")
    j.setEditorText(valueOf(control, value));
  else if (control == "TargetName")
    j.setTargetName(valueOf(control, value));
  else if (control == "Apply")
    j.editorApply();
  else if (control == "Add")
    j.editorAdd();
  else if (control == "Delete")
    j.editorDelete();
  else if (control == "MoveUpward")
    j.editorMoveUp();
  else if (control == "MoveDwonward")
    j.editorMoveDown();
  else if (control == "SaveIns")
    j.saveLineEditor();
  else if (control == "Exit")
    j.closeLineEditor();
  else if (const JobCard* card = findJobCard(control))
    j.editorInsertCard(*card);
  else
    return false;
  return true;
}

// "Editor"
bool textEditorWindow(Workbench& b, std::string_view control, Value value) {
  JobControlCommands& j = b.jobControl();
  if (control == "Memo1")
    j.setEditorPaneText(valueOf(control, value));
  else if (control == "Open")
    j.openTextEditor();
  else if (control == "SaveAndQuit")
    j.saveTextEditor();
  else if (control == "Print")
    j.printTextEditor();
  else if (control == "Exit")
    j.closeTextEditor();
  else
    return false;
  return true;
}

struct WindowEntry {
  std::string_view objectName;
  WindowHandler handle;
  bool (*shown)(const Workbench& bench);  // a user reaches the controls of a shown window only
};

constexpr std::array<WindowEntry, 3> windows = {{
    {"TForm5", jobControlWindow,
     [](const Workbench& b) { return b.jobControl().window().visible; }},
    {"TForm6", lineEditorWindow,
     [](const Workbench& b) { return b.jobControl().lineEditor().visible; }},
    {"TForm11", textEditorWindow,
     [](const Workbench& b) { return b.jobControl().textEditor().visible; }},
}};

}  // namespace

void setWindowControl(Workbench& bench, std::string_view window, std::string_view control,
                      Value value) {
  for (const WindowEntry& entry : windows) {
    if (entry.objectName != window) continue;
    if (!entry.shown(bench)) throw UserError(std::string(window) + " is not shown.");
    if (!entry.handle(bench, control, value)) {
      throw UserError("There is no control named " + std::string(control) + " in " +
                      std::string(window) + ".");
    }
    return;
  }
  throw UserError("There is no window named " + std::string(window) + ".");
}

}  // namespace tavo::workbench
