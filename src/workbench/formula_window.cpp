// "Chemical Formula" declared: its fields and buttons bound to the formula commands.
#include <string>

#include "text/errors.h"
#include "text/text.h"
#include "workbench/formula_commands.h"

namespace tavo::workbench {

WindowDeclaration declareFormulaWindow(FormulaCommands& f) {
  WindowDeclaration w = declaredWindow("TForm3", "Chemical Formula", "\"Formula/Cell\" shows it",
                                       [&f] { return f.window().visible; });
  w.placement = Placement::BesidePicture;
  // Only the UNIT numbers of the element rows take text: `cell ROW 1 TEXT`.
  const auto unitCell = [&f](const ControlInput& v) {
    const int row = intValue("cell", v, 0);
    if (intValue("cell", v, 1) != FormulaWindow::Unit || row < 1 || row > formulaElementRows ||
        v.size() != 3) {
      throw UserError("only the UNIT cells (column 1, rows 1.." +
                      std::to_string(formulaElementRows) + ") take text");
    }
    f.setUnitText(row, v[2]);
  };
  w.controls = {
      textField("NewElem", [&f](const std::string& t) { f.setNewElementText(t); }),
      table("Elements", unitCell, {}, {"cell"}),
      press("AddElem", [&f] { f.addElement(); }, {"Add Elem"}),
      press("DelElem", [&f] { f.deleteElement(); }, {"Del Elem"}),
      press("Calculate", [&f] { f.calculate(); }),
      press("Update", [&f] { f.update(); }),
      press("Exit1", [&f] { f.exit(); }, {"Exit"}),
  };
  for (int k = 1; k <= formulaElementRows; ++k) {
    w.controls.push_back(textField("Unit" + std::to_string(k),
                                   [&f, k](const std::string& t) { f.setUnitText(k, t); }));
  }
  w.print = [&f] {
    const FormulaWindow& shown = f.window();
    std::vector<std::string> lines;
    for (int k = 1; k <= shown.shownRows; ++k) {
      const std::vector<std::string>& row = shown.elements.row(k);
      lines.push_back("row " + std::to_string(k) + ": " + row[0] + " | " + text::trimLine(row[1]) +
                      " | " + row[2]);
    }
    const std::pair<const char*, const std::string*> figures[] = {{"fw ", &shown.formulaWeight},
                                                                  {"a= ", &shown.a},
                                                                  {"b= ", &shown.b},
                                                                  {"c= ", &shown.c},
                                                                  {"alpha= ", &shown.alpha},
                                                                  {"beta= ", &shown.beta},
                                                                  {"gamma= ", &shown.gamma},
                                                                  {"V= ", &shown.volume},
                                                                  {"d= ", &shown.density},
                                                                  {"Z= ", &shown.z}};
    for (const auto& [name, value] : figures)
      lines.push_back(name + *value);
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
