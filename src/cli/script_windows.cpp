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

void printGrid(const text::TextGrid& grid, std::ostream& out) {
  for (int r = 0; r < grid.rowCount(); ++r) {
    const std::vector<std::string>& row = grid.row(r);
    for (std::size_t c = 0; c < row.size(); ++c)
      out << (c == 0 ? "" : " | ") << row[c];
    out << '\n';
  }
}

/// TForm9 prints its grid and current peak; TForm27 its two lists and the chosen option.
void printPeakOrGlobalLists(Workbench& bench, const std::string& name, std::ostream& out) {
  if (name == "TForm9") {
    if (!bench.peaks().window().visible) throw UserError("TForm9 is not shown");
    printGrid(bench.peaks().window().grid, out);
    out << "current " << bench.peaks().window().currentPeak << ' '
        << bench.peaks().window().currentText << '\n';
    return;
  }
  const workbench::GlobalEditionWindow& w = bench.globalEdition().window();
  if (!w.visible) throw UserError("TForm27 is not shown");
  out << "List of Atoms\n";
  printGrid(w.atomList, out);
  out << "Selcted Atoms\n";
  printGrid(w.selectedList, out);
  out << "option " << editing::globalOptionNames[static_cast<int>(w.option)] << '\n';
}

/// TForm10 'CIF Editor' (menu items by caption, work lines by row from 0) and its line editor
/// TForm36 'Editing CIF Contents'.
void cifWindows(Workbench& bench, const std::vector<std::string>& words, std::ostream& out) {
  workbench::CifCommands& cif = bench.cifCommands();
  const workbench::CifEditorWindow& w = cif.window();
  const std::string& verb = words[2];
  if (words[1] == "TForm36") {
    if (!w.lineEditorVisible) throw UserError("TForm36 is not shown (\"Edit Line\" shows it)");
    if (verb == "set" && words.size() == 4) return cif.setLineEditorText(words[3]);
    if (verb == "press" && words.size() == 4 && words[3] == "Update")
      return runOrFail(bench, [&] { cif.updateLine(); });
    if (verb == "press" && words.size() == 4 && words[3] == "Cancel") return cif.cancelLineEditor();
    throw UserError("TForm36 takes: set TEXT, press Update, press Cancel");
  }
  if ((verb == "select" || verb == "double-click") && words.size() == 4) {
    const int row = text::parseInt(words[3]);
    if (verb == "select") return runOrFail(bench, [&] { cif.selectLine(row); });
    return runOrFail(bench, [&] { cif.toggleMark(row); });
  }
  if (verb == "print" && words.size() == 3) {
    for (std::size_t i = 0; i < w.workLines.size(); ++i)
      out << i << ' ' << w.workLines[i].mark << " | " << w.workLines[i].text << '\n';
    if (!w.readBack.empty()) out << w.readBack << '\n';
    return;
  }
  if (verb != "press" || words.size() != 4)
    throw UserError("TForm10 takes: press CAPTION, select ROW, double-click ROW, print");
  const std::string& caption = words[3];
  const auto requireEnabled = [&](bool enabled) {
    if (!enabled) throw UserError("\"" + caption + "\" is not enabled yet");
  };
  if (caption == "Import_Template_CIF") return runOrFail(bench, [&] { cif.importTemplate(); });
  if (caption == "Import_SHELXL97_CIF (*.cif)") {
    requireEnabled(w.templateRead);
    return runOrFail(bench, [&] { cif.importShelxlCif(); });
  }
  if (caption == "Read_Rigaku Info (*.cif_od)") {
    requireEnabled(w.shelxlRead);
    return runOrFail(bench, [&] { cif.importCifOd(); });
  }
  if (caption == "Save_New_CIF") {
    requireEnabled(w.templateRead);
    return runOrFail(bench, [&] { cif.saveNewCif(); });
  }
  if (caption == "PrintLeft") return runOrFail(bench, [&] { cif.printLeft(); });
  if (caption == "PrintRight") return runOrFail(bench, [&] { cif.printRight(); });
  if (caption == "Instruction") return cif.showHelp();
  if (caption == "Edit Line") return cif.toggleLineEditor();
  if (caption == "Exit") return runOrFail(bench, [&] { cif.exit(); });
  throw UserError("TForm10 has no menu item \"" + caption + "\"");
}

/// TForm7 (OMIT from the disagreeable reflections) and TForm8 (split atoms): `select ROW` (0 is
/// the first row of the list), TForm8's `set NewLabel1|NewLabel2 TEXT`, `press CAPTION`, `print`.
void listingWindow(Workbench& bench, const std::vector<std::string>& words, std::ostream& out) {
  workbench::ListingCommands& listing = bench.listing();
  const bool omit = words[1] == "TForm7";
  const std::string& verb = words[2];
  if (verb == "print" && words.size() == 3) {
    if (omit) {
      const workbench::OmitWindow& w = listing.omitWindow();
      for (std::size_t i = 0; i < w.rows.size(); ++i)
        out << "row " << i << ": " << w.rows[i].text << (w.used[i] ? " | Used" : "") << '\n';
      out << "HKL " << w.h << ' ' << w.k << ' ' << w.l << "\nResolution(A) " << w.resolution
          << '\n';
    } else {
      const workbench::SplitWindow& w = listing.splitWindow();
      for (std::size_t i = 0; i < w.rows.size(); ++i)
        out << "row " << i << ": " << (w.added[i] ? "Added | " : "") << w.rows[i].text << '\n';
      out << "Split " << w.label << " into " << w.firstLabel << " and " << w.secondLabel << '\n';
    }
    return;
  }
  const bool shown = omit ? listing.omitWindow().visible : listing.splitWindow().visible;
  if (!shown) {
    throw UserError(words[1] + " is not shown (\"" +
                    (omit ? "OMIT HKL using *.lst" : "Split Atom using *.lst") + "\" shows it)");
  }
  if (verb == "select" && words.size() == 4) {
    const int row = text::parseInt(words[3]);
    return omit ? listing.selectOmitRow(row) : listing.selectSplitRow(row);
  }
  if (verb == "set" && words.size() == 5 && !omit &&
      (words[3] == "NewLabel1" || words[3] == "NewLabel2")) {
    return listing.setNewLabel(words[3] == "NewLabel1", words[4]);
  }
  if (verb == "press" && words.size() == 4) {
    const std::string& caption = words[3];
    if (caption == "Exit") {
      return runOrFail(bench, [&] { omit ? listing.exitOmit() : listing.exitSplit(); });
    }
    if (omit && caption == "Add This for OMIT") {
      return runOrFail(bench, [&] { listing.addOmit(); });
    }
    if (!omit && caption == "Add these atoms to the List of  Coordinates") {
      return runOrFail(bench, [&] { listing.addSplit(); });
    }
    throw UserError(words[1] + " has no button \"" + caption + "\"");
  }
  throw UserError(words[1] + " takes: select ROW, " +
                  (omit ? "" : "set NewLabel1|NewLabel2 TEXT, ") + "press CAPTION, print");
}

/// TForm28 prints its four lists (row from 0: label | kind | index) and fields; TForm34 its
/// labels and distance.
void printLocateWindows(const workbench::LocateCommands& locate, const std::string& name,
                        std::ostream& out) {
  if (name == "TForm34") {
    const workbench::DistanceWindow& d = locate.distanceWindow();
    out << "Center " << d.center << "\nConnection to " << d.connected
        << "\nConnecting Distance (A) = " << d.distance << '\n';
    return;
  }
  const workbench::LocateWindow& w = locate.window();
  const char* titles[] = {"List of atoms", "Grvty0", "Grvty1", "Grvty2"};
  for (int k = 0; k < 4; ++k) {
    const text::TextGrid& grid = k == 0 ? w.atoms : w.centroids[static_cast<std::size_t>(k - 1)];
    out << titles[k] << '\n';
    for (int r = 0; r < grid.rowCount(); ++r)
      out << "  " << r << ": " << grid.cell(r, 0) << " | " << grid.cell(r, 1) << " | "
          << grid.cell(r, 2) << '\n';
  }
  out << "Vector_Length (A) = " << w.vectorLength << "\nelement " << w.elementNumber << ' '
      << w.elementSymbol << "\nvectors " << (w.vectorControlsEnabled ? "enabled" : "disabled")
      << '\n';
}

/// TForm37, the plane window: `set PlaneNum N`, `press CAPTION` (its buttons and its File menu's
/// Save), `print`.
void planeWindow(Workbench& bench, const std::vector<std::string>& words, std::ostream& out) {
  workbench::GeometryCommands& planes = bench.geometry();
  const workbench::PlaneWindow& w = planes.window();
  if (!w.visible) {
    throw UserError(
        "TForm37 is not shown (\"Show Plane Calc Window\" or Apply in the "
        "Plane Calculation mode shows it)");
  }
  const std::string& verb = words[2];
  if (verb == "set" && words.size() == 5 && words[3] == "PlaneNum")
    return planes.setPlaneNumber(text::parseInt(words[4]));
  if (verb == "press" && words.size() == 4) {
    const std::string& caption = words[3];
    if (caption == "Add Plane") return runOrFail(bench, [&] { planes.addPlane(); });
    if (caption == "Decrease Plane") return runOrFail(bench, [&] { planes.decreasePlane(); });
    if (caption == "Calculate Using Selected Atoms")
      return runOrFail(bench, [&] { planes.definePlane(); });
    if (caption == "Save") return runOrFail(bench, [&] { planes.save(); });
    if (caption == "Close") return planes.hideWindow();
    throw UserError("TForm37 has no button \"" + caption + "\"");
  }
  if (verb == "print" && words.size() == 3) {
    out << "PlaneNum " << w.planeNumber << "\nTotalPlane " << w.totalPlanes << "\nUPValue "
        << w.previousU << "\nUValue " << w.u << "\nRValue " << w.rValue << "\nRMS " << w.rms
        << "\nStringGrid1\n";
    printGrid(w.atoms, out);
    out << "StringGrid2\n";
    printGrid(w.results, out);
    out << "StringGrid3\n";
    printGrid(w.dihedrals, out);
    return;
  }
  throw UserError("TForm37 takes: set PlaneNum N, press CAPTION, print");
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
  // The listing tools: OMIT cards and split atoms.
  if (words[1] == "TForm7" || words[1] == "TForm8") return listingWindow(bench, words, out);
  // "Fixing/FVAR" and "HFIX Selection (H atoms)": a control by its name, then its values.
  if (words[1] == "TForm23" || words[1] == "TForm4") {
    const std::vector<std::string> values(words.begin() + 3, words.end());
    return runOrFail(bench, [&] { bench.freeVariables().operate(words[1], words[2], values); });
  }
  // "List of Peaks" and "Global Edition": a control by its name or caption, then its values;
  // "list" prints the grids as the window shows them.
  if (words[1] == "TForm9" || words[1] == "TForm27") {
    const std::vector<std::string> values(words.begin() + 3, words.end());
    if (words[2] == "list") return printPeakOrGlobalLists(bench, words[1], out);
    if (words[1] == "TForm9")
      return runOrFail(bench, [&] { bench.peaks().operate(words[2], values); });
    return runOrFail(bench, [&] { bench.globalEdition().operate(words[2], values); });
  }
  // The windows over the instruction lines: a control by its name, then perhaps one value.
  if (words[1] == "TForm5" || words[1] == "TForm6" || words[1] == "TForm11") {
    if (words.size() > 4) throw UserError(words[1] + " takes a control and at most one value");
    std::optional<std::string_view> value;
    if (words.size() == 4) value = words[3];
    return runOrFail(bench, [&] { workbench::setWindowControl(bench, words[1], words[2], value); });
  }
  // The parameter windows: a control by its name or a button by its caption, then its value.
  if (words[1] == "TForm24" || words[1] == "TForm26" || words[1] == "TForm29" ||
      words[1] == "TForm30") {
    const std::vector<std::string> values(words.begin() + 3, words.end());
    if (words[1] == "TForm29" && words[2] == "print") {
      const text::TextGrid& grid = bench.parameters().workingCoordinates().grid;
      for (int r = 0; r < grid.rowCount(); ++r)
        out << grid.cell(r, 0) << ' ' << grid.cell(r, 1) << ' ' << grid.cell(r, 2) << ' '
            << grid.cell(r, 3) << '\n';
      return;
    }
    if (words[1] == "TForm24" && words[2] == "print") {
      const editing::AtomParameterTexts& f = bench.parameters().editor().fields;
      out << "Label " << f.label << "\nSFAC " << f.sfac << "\nPART " << f.part << "\nAFIX "
          << f.afix << '\n';
      for (std::size_t p = 1; p <= 10; ++p)
        out << workbench::settingParameterNames[p] << ' ' << f.values[p] << ' ' << f.codes[p]
            << '\n';
      return;
    }
    return runOrFail(bench, [&] { bench.parameters().operate(words[1], words[2], values); });
  }
  if (words[1] == "TForm10" || words[1] == "TForm36") {
    if (!bench.cifCommands().window().visible) {
      throw UserError(words[1] + " is not shown (\"View CIF Generation Window\" shows it)");
    }
    return cifWindows(bench, words, out);
  }
  // The Gaussian input window: a control by its name, then perhaps one value.
  if (words[1] == "TForm25") {
    if (words.size() > 4) throw UserError("TForm25 takes a control and at most one value");
    const std::string value = words.size() == 4 ? words[3] : "";
    return runOrFail(bench, [&] { bench.importExport().setGaussianControl(words[2], value); });
  }
  if (words[1] == "TForm28" || words[1] == "TForm34") {
    if (words[2] == "print") return printLocateWindows(bench.locate(), words[1], out);
    const std::vector<std::string> values(words.begin() + 3, words.end());
    return runOrFail(bench, [&] { bench.locate().operate(words[1], words[2], values); });
  }
  // The plane window.
  if (words[1] == "TForm37") return planeWindow(bench, words, out);
  // "Atomic Coordinates & Parameters": a control by its name or caption, then its values;
  // "list" prints the atom list (and the working grid of the last sort when it is shown).
  if (words[1] == "TForm2") {
    const workbench::AtomListWindow& w = bench.atomList().window();
    if (words[2] == "list") {
      if (!w.visible) throw UserError("TForm2 is not shown (\"XYZUij + Others\" shows it)");
      printGrid(w.grid, out);
      if (w.sortGridShown) printGrid(w.sortGrid, out);
      return;
    }
    const std::vector<std::string> values(words.begin() + 3, words.end());
    return runOrFail(bench, [&] { bench.atomList().operate(words[2], values); });
  }
  throw UserError("there is no window \"" + words[1] + "\" that a script can reach");
}

}  // namespace tavo::cli
