// The listing tools' windows declared: OMIT from the disagreeable reflections (TForm7) and the
// split atoms (TForm8).
#include <string>

#include "workbench/listing_commands.h"

namespace tavo::workbench {

WindowDeclaration declareOmitWindow(ListingCommands& l) {
  WindowDeclaration w =
      declaredWindow("TForm7", "Checking Disagreeable Reflections to be Removed using OMIT Card",
                     "\"OMIT HKL using *.lst\" shows it", [&l] { return l.omitWindow().visible; });
  w.controls = {
      table("StringGrid1", [&l](const ControlInput& v) { l.selectOmitRow(intValue("select", v)); },
            {}, {"select"}),
      press("AddOmit", [&l] { l.addOmit(); }, {"Add This for OMIT"}),
      press("Exit", [&l] { l.exitOmit(); }),
  };
  w.print = [&l] {
    const OmitWindow& shown = l.omitWindow();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < shown.rows.size(); ++i) {
      lines.push_back("row " + std::to_string(i) + ": " + shown.rows[i].text +
                      (shown.used[i] ? " | Used" : ""));
    }
    lines.push_back("HKL " + shown.h + ' ' + shown.k + ' ' + shown.l);
    lines.push_back("Resolution(A) " + shown.resolution);
    return lines;
  };
  return w;
}

WindowDeclaration declareSplitWindow(ListingCommands& l) {
  WindowDeclaration w = declaredWindow(
      "TForm8", "Find and Locate Disordered Atoms from the *.lst File",
      "\"Split Atom using *.lst\" shows it", [&l] { return l.splitWindow().visible; });
  w.placement = Placement::BesidePicture;
  w.controls = {
      table("StringGrid1", [&l](const ControlInput& v) { l.selectSplitRow(intValue("select", v)); },
            {}, {"select"}),
      textField("NewLabel1", [&l](const std::string& t) { l.setNewLabel(true, t); }),
      textField("NewLabel2", [&l](const std::string& t) { l.setNewLabel(false, t); }),
      press("AddAtoms", [&l] { l.addSplit(); }, {"Add these atoms to the List of  Coordinates"}),
      press("Exit", [&l] { l.exitSplit(); }),
  };
  w.print = [&l] {
    const SplitWindow& shown = l.splitWindow();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < shown.rows.size(); ++i) {
      lines.push_back("row " + std::to_string(i) + ": " + (shown.added[i] ? "Added | " : "") +
                      shown.rows[i].text);
    }
    lines.push_back("Split " + shown.label + " into " + shown.firstLabel + " and " +
                    shown.secondLabel);
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
