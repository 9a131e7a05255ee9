// The windows a run script reaches.
#include "cli/script_windows.h"

#include <optional>
#include <ostream>
#include <string_view>

#include "text/errors.h"
#include "text/text.h"
#include "workbench/window_controls.h"
#include "workbench/workbench.h"

namespace tavo::cli {

namespace {

using workbench::FormulaCommands;
using workbench::Workbench;

void runOrFail(Workbench& bench, const std::function<void()>& command) {
  if (!bench.run(command)) throw UserError("the command failed");
}

/// TForm3 "Chemical Formula": the name field NewElem, the UNIT column (1) of the element rows.
void formulaWindow(Workbench& bench, const std::vector<std::string>& words, std::ostream& out) {
  FormulaCommands& formula = bench.formulaCommands();
  const std::string& verb = words[2];
  if (verb == "set" && words.size() == 5 && words[3] == "NewElem") {
    formula.setNewElementText(words[4]);
    return;
  }
  if (verb == "cell" && words.size() == 6) {
    const int row = text::parseInt(words[3]);
    if (text::parseInt(words[4]) != workbench::FormulaWindow::Unit || row < 1 ||
        row > workbench::formulaElementRows) {
      throw UserError("only the UNIT cells (column 1, rows 1.." +
                      std::to_string(workbench::formulaElementRows) + ") of TForm3 take text");
    }
    formula.setUnitText(row, words[5]);
    return;
  }
  if (verb == "press" && words.size() == 4) {
    const std::string& caption = words[3];
    if (caption == "Add Elem") return runOrFail(bench, [&] { formula.addElement(); });
    if (caption == "Del Elem") return runOrFail(bench, [&] { formula.deleteElement(); });
    if (caption == "Calculate") return runOrFail(bench, [&] { formula.calculate(); });
    if (caption == "Update") return runOrFail(bench, [&] { formula.update(); });
    if (caption == "Exit") return runOrFail(bench, [&] { formula.exit(); });
    throw UserError("TForm3 has no button \"" + caption + "\"");
  }
  if (verb == "print" && words.size() == 3) {
    const workbench::FormulaWindow& w = formula.window();
    for (int k = 1; k <= w.shownRows; ++k) {
      const std::vector<std::string>& row = w.elements.row(k);
      out << "row " << k << ": " << row[0] << " | " << text::trimLine(row[1]) << " | " << row[2]
          << '\n';
    }
    out << "fw " << w.formulaWeight << "\na= " << w.a << "\nb= " << w.b << "\nc= " << w.c
        << "\nalpha= " << w.alpha << "\nbeta= " << w.beta << "\ngamma= " << w.gamma
        << "\nV= " << w.volume << "\nd= " << w.density << "\nZ= " << w.z << '\n';
    return;
  }
  throw UserError("TForm3 takes: set NewElem TEXT, cell ROW 1 TEXT, press CAPTION, print");
}

}  // namespace

void runWindowCommand(Workbench& bench, const std::vector<std::string>& words, std::ostream& out) {
  if (words.size() < 3) throw UserError("window takes a window name and what to do in it");
  if (words[1] == "TForm3") {
    if (!bench.formulaCommands().window().visible) {
      throw UserError("TForm3 is not shown (\"Formula/Cell\" shows it)");
    }
    return formulaWindow(bench, words, out);
  }
  // "Fixing/FVAR" and "HFIX Selection (H atoms)": a control by its name, then its values.
  if (words[1] == "TForm23" || words[1] == "TForm4") {
    const std::vector<std::string> values(words.begin() + 3, words.end());
    return runOrFail(bench, [&] { bench.freeVariables().operate(words[1], words[2], values); });
  }
  // The windows over the instruction lines: a control by its name, then perhaps one value.
  if (words[1] == "TForm5" || words[1] == "TForm6" || words[1] == "TForm11") {
    if (words.size() > 4) throw UserError(words[1] + " takes a control and at most one value");
    std::optional<std::string_view> value;
    if (words.size() == 4) value = words[3];
    return runOrFail(bench, [&] { workbench::setWindowControl(bench, words[1], words[2], value); });
  }
  // The Gaussian input window: a control by its name, then perhaps one value.
  if (words[1] == "TForm25") {
    if (words.size() > 4) throw UserError("TForm25 takes a control and at most one value");
    const std::string value = words.size() == 4 ? words[3] : "";
    return runOrFail(bench, [&] { bench.importExport().setGaussianControl(words[2], value); });
  }
  throw UserError("there is no window \"" + words[1] + "\" that a script can reach");
}

}  // namespace tavo::cli
