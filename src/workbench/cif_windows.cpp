// The CIF windows declared: the 'CIF Editor' (TForm10), its line editor (TForm36) and its help
// (TForm35).
#include <string>

#include "text/errors.h"
#include "workbench/cif_commands.h"

namespace tavo::workbench {

WindowDeclaration declareCifEditorWindow(CifCommands& c) {
  WindowDeclaration w =
      declaredWindow("TForm10", "CIF Editor", "\"View CIF Generation Window\" shows it",
                     [&c] { return c.window().visible; });
  // A menu item that a step before it enables.
  const auto enabledBy = [](std::string caption, std::function<bool()> enabled,
                            std::function<void()> action) {
    return [caption, enabled, action] {
      if (!enabled()) throw UserError("\"" + caption + "\" is not enabled yet");
      action();
    };
  };
  const auto templateRead = [&c] { return c.window().templateRead; };
  // The menu items answer also to their widgets' names (ImportTemplateCIF1, ...).
  w.controls = {
      table(
          "StringGrid1", [&c](const ControlInput& v) { c.selectLine(intValue("select", v)); },
          [&c](const ControlInput& v) { c.toggleMark(intValue("double-click", v)); }, {"select"}),
      press("Import_Template_CIF", [&c] { c.importTemplate(); }, {"ImportTemplateCIF1"}),
      press("Import_SHELXL97_CIF",
            enabledBy("Import_SHELXL97_CIF (*.cif)", templateRead, [&c] { c.importShelxlCif(); }),
            {"Import_SHELXL97_CIF (*.cif)", "ImportSHELXL97CIF1"}),
      press("Read_Rigaku_Info",
            enabledBy(
                "Read_Rigaku Info (*.cif_od)", [&c] { return c.window().shelxlRead; },
                [&c] { c.importCifOd(); }),
            {"Read_Rigaku Info (*.cif_od)", "ReadRigakuInfo1"}),
      press("Save_New_CIF", enabledBy("Save_New_CIF", templateRead, [&c] { c.saveNewCif(); }),
            {"SaveNewCIF1"}),
      press("PrintLeft", [&c] { c.printLeft(); }, {"PrintLeft1"}),
      press("PrintRight", [&c] { c.printRight(); }, {"PrintRight1"}),
      press("Instruction", [&c] { c.showHelp(); }, {"Instruction1"}),
      press("EditLine", [&c] { c.toggleLineEditor(); }, {"Edit Line", "EditLine1"}),
      press("Exit", [&c] { c.exit(); }, {"Exit1"}),
  };
  w.print = [&c] {
    const CifEditorWindow& shown = c.window();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < shown.workLines.size(); ++i) {
      lines.push_back(std::to_string(i) + ' ' + shown.workLines[i].mark + " | " +
                      shown.workLines[i].text);
    }
    if (!shown.readBack.empty()) lines.push_back(shown.readBack);
    return lines;
  };
  return w;
}

WindowDeclaration declareCifLineEditorWindow(CifCommands& c) {
  WindowDeclaration w =
      declaredWindow("TForm36", "Editing CIF Contents", "\"Edit Line\" of the CIF Editor shows it",
                     [&c] { return c.window().visible && c.window().lineEditorVisible; });
  w.controls = {
      textField("Edit1", [&c](const std::string& t) { c.setLineEditorText(t); }, {"set"}),
      press("Update", [&c] { c.updateLine(); }),
      press("Cancel", [&c] { c.cancelLineEditor(); }),
  };
  return w;
}

WindowDeclaration declareCifHelpWindow(CifCommands& c) {
  WindowDeclaration w = declaredWindow("TForm35", "Some Instructions for the  CIF Generation",
                                       "\"Instruction\" of the CIF Editor shows it",
                                       [&c] { return c.window().helpVisible; });
  w.placement = Placement::Help;
  return w;
}

}  // namespace tavo::workbench
