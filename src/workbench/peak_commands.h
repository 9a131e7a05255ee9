// The peak tools of the main window: the window "Showing and Handling Peaks" (TForm9) with the
// list of peaks, MovePks, reading the peaks of another file over the structure, and clearing
// all peaks.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// The state of TForm9. The list always shows the peaks of the model: it is filled again after
/// every change of the tables, so that its rows never name other peaks than they show.
struct PeakListWindow {
  bool visible = false;     // and the check mark of "List of Peaks"
  text::TextGrid grid;      // StringGrid1: the heading row, then one row per peak
  int currentPeak = 1;      // SpinEdit1, 1..peakCount
  std::string currentText;  // Edit1: "Pk." and the number of the row last selected
  int top = 0, bottom = 0;  // the rows of the grid's block selection, 0 when none
};

class PeakCommands {
 public:
  explicit PeakCommands(CommandContext context);
  PeakCommands(const PeakCommands&) = delete;
  PeakCommands& operator=(const PeakCommands&) = delete;

  /// "List of Peaks": fills and shows the list, or hides it and redraws.
  void toggleList();
  /// "Exit" and closing the window.
  void closeList();
  /// Selects grid rows top..bottom (StringGrid1SelectCell and a block selection): the current
  /// peak becomes `top` and the text field shows its name. Row 0 (the headings) selects nothing.
  void selectRows(int top, int bottom);
  /// SpinEdit1, clamped to 1..peakCount.
  void setCurrentPeak(int peak);
  /// "Delete This" (and a double click on the grid): removes the current peak.
  void deleteThis();
  /// "Delete Over MultiCells": removes the peaks of the selected rows.
  void deleteOverMultiCells();
  /// The lines "Print" prints.
  std::vector<std::string> printLines() const;
  void print();

  /// MovePks: every peak to its symmetry-equivalent position next to the molecule.
  void movePeaks();
  /// "Read (Overlay) Q-Peaks in *.ins/*.res": asks for a file and reads its peaks.
  void readOverlayPeaks();
  /// Reads the peaks of `file` in place of the structure's (the atoms stay). Throws UserError
  /// when the file has no peak block or a broken peak line, with the peaks left as they were.
  void readOverlayPeaks(const std::filesystem::path& file);
  /// Clears all peaks and the Selection (the importers call it before they fill the model).
  void clearPeaks();

  const PeakListWindow& window() const { return m_window; }

 private:
  void fill();
  void deleteRows(int top, int bottom, std::string_view stepName);

  CommandContext m_context;
  PeakListWindow m_window;
};

/// "Showing and Handling Peaks" (TForm9), declared.
WindowDeclaration declarePeakListWindow(PeakCommands& peaks);

}  // namespace tavo::workbench
