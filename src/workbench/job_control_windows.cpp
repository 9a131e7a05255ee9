// The windows over the instruction lines, declared: the job-control window, the line editor and
// the text editor.
#include "workbench/job_control_commands.h"

namespace tavo::workbench {

namespace {

/// The card buttons (ACTA, BOND, ...) by objectName, with their captions.
void addCardButtons(std::vector<ControlDeclaration>& controls,
                    const std::function<void(const JobCard&)>& insert) {
  for (const JobCard& card : jobCards()) {
    controls.push_back(press(std::string(card.objectName), [insert, &card] { insert(card); },
                             {std::string(card.caption)}));
  }
}

}  // namespace

WindowDeclaration declareJobControlWindow(JobControlCommands& j) {
  WindowDeclaration w =
      declaredWindow("TForm5", "Shelxl-97 Job Control Commands",
                     "\"Edit Shelxl-97 Commands\" shows it", [&j] { return j.window().visible; });
  w.controls = {
      table("LineList", [&j](const ControlInput& v) { j.selectRow(intValue("LineList", v)); }),
      textField("Edit1", [&j](const std::string& t) { j.setEditText(t); }),
      press("Apply", [&j] { j.apply(); }),
      press("Delete", [&j] { j.deleteRow(); }),
      press("MoveUpward", [&j] { j.moveUp(); }),
      press("MoveDwonward", [&j] { j.moveDown(); }),
      press("Print1", [&j] { j.print(); }, {"Print"}),
      press("Exit1", [&j] { j.closeWindow(); }, {"Exit"}),
  };
  addCardButtons(w.controls, [&j](const JobCard& card) { j.insertCard(card); });
  return w;
}

WindowDeclaration declareLineEditorWindow(JobControlCommands& j) {
  WindowDeclaration w = declaredWindow("TForm6", "Edit and Save *.ins file",
                                       "\"Edit *.ins (the last saved)\" shows it",
                                       [&j] { return j.lineEditor().visible; });
  w.controls = {
      table("LineList", [&j](const ControlInput& v) { j.selectEditorRow(intValue("LineList", v)); },
            {}, {"RowSelector"}),
      textField("Edit1", [&j](const std::string& t) { j.setEditorText(t); }),
      textField("TargetName", [&j](const std::string& t) { j.setTargetName(t); }),
      press("Apply", [&j] { j.editorApply(); }),
      press("Add", [&j] { j.editorAdd(); }),
      press("Delete", [&j] { j.editorDelete(); }),
      press("MoveUpward", [&j] { j.editorMoveUp(); }),
      press("MoveDwonward", [&j] { j.editorMoveDown(); }),
      press("SaveIns", [&j] { j.saveLineEditor(); }),
      press("Exit1", [&j] { j.closeLineEditor(); }, {"Exit"}),
  };
  addCardButtons(w.controls, [&j](const JobCard& card) { j.editorInsertCard(card); });
  return w;
}

WindowDeclaration declareTextEditorWindow(JobControlCommands& j) {
  WindowDeclaration w = declaredWindow("TForm11", "Editor", "\"Text Editor\" shows it",
                                       [&j] { return j.textEditor().visible; });
  w.controls = {
      textField("Memo1", [&j](const std::string& t) { j.setEditorPaneText(t); }),
      press("Open1", [&j] { j.openTextEditor(); }, {"Open"}),
      press("SaveAndQuit", [&j] { j.saveTextEditor(); }),
      press("Print1", [&j] { j.printTextEditor(); }, {"Print"}),
      press("Exit1", [&j] { j.closeTextEditor(); }, {"Exit"}),
  };
  return w;
}

}  // namespace tavo::workbench
