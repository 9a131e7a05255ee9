// The windows of the Preferences menu: "Parameters for Drawing Ellipes" with the component pair
// of the main window, "Detailed Definition of Elements" and "Graphics Colors and Other
// Settings". Every change ends in the main window's redraw chain.
#pragma once

#include <string>

#include "model/element_definitions.h"
#include "view/graphics_settings.h"
#include "view/graphics_settings_window.h"
#include "workbench/command_context.h"
#include "workbench/control_values.h"
#include "workbench/picture_preferences.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

inline constexpr ControlRange ellipseSizeFactorRange{1, 100, 25};    // SpinEdit1 of TForm15
inline constexpr ControlRange ellipsePairRange{1, 3, 1};             // SpinEdit25
inline constexpr ControlRange ellipsoidProbabilityRange{1, 99, 50};  // "Probability (%)"

/// "Parameters for Drawing Ellipes" (TForm15) and the main window's component pair.
struct EllipseParamsWindow {
  bool visible = false;
  int sizeFactor = ellipseSizeFactorRange.initial;  // SpinEdit1 "Overall Size Factor" of TForm15
  int pair = ellipsePairRange.initial;  // SpinEdit25: 1 = U11/U22, 2 = U22/U33, 3 = U33/U11
  EllipsoidStyle ellipsoids;
};

class PreferenceCommands final : public PicturePreferences {
 public:
  explicit PreferenceCommands(CommandContext context);
  PreferenceCommands(const PreferenceCommands&) = delete;
  PreferenceCommands& operator=(const PreferenceCommands&) = delete;

  // "Ellipse View Params" (Preferences).
  const EllipseParamsWindow& ellipseWindow() const { return m_ellipse; }
  /// Shows the window.
  void showEllipseParams() { m_ellipse.visible = true; }
  void ellipseParamsClosed() { m_ellipse.visible = false; }
  /// "Overall Size Factor" (1..100): takes effect at the next redraw.
  void setEllipseSizeFactor(int value);
  /// SpinEdit25 (1..3): redraws at once.
  void setEllipsePair(int value);
  /// The thermal-ellipsoid style on or off ("Thermal Ellipsoids"); on, it takes the place of
  /// the U-pair ellipse picture. Redraws.
  void setEllipsoids(bool on);
  void toggleEllipsoids() { setEllipsoids(!m_ellipse.ellipsoids.on); }
  /// The probability of the surfaces in percent (1..99); redraws.
  void setEllipsoidProbability(int percent);
  /// The front halves of the principal ellipses drawn or not; redraws.
  void setPrincipalEllipses(bool on);
  /// The octant towards the viewer shaded or not; redraws.
  void setOctantShading(bool on);

  // "Definition of Elements" (Preferences).
  const model::ElementDefinitions& elementDefinitions() const override { return m_elements; }
  bool elementWindowVisible() const { return m_elementsVisible; }
  /// The text of the window's edit field.
  const std::string& elementEditText() const { return m_elementEditText; }
  /// Shows the window; before the first structure the table is read from elems.inf.
  void showElementDefinitions();
  /// Reads elems.inf again, as every load of a structure does; the table the reader attaches.
  /// Throws as ElementDefinitions::load.
  const model::ElementDefinitions& reloadElementDefinitions() override;
  /// A click on a cell: remembers it and shows its text in the edit field; on the "Color Code"
  /// column the colour dialog opens and a confirmed colour is stored and drawn.
  void selectElementCell(int row, int column);
  /// The user typed into the edit field.
  void setElementEditText(std::string text) { m_elementEditText = std::move(text); }
  /// "Apply": the edit text goes into the selected cell, the definitions are attached again,
  /// bonds are detected and the picture drawn. ConversionError for a number that does not
  /// convert (the cell keeps the text).
  void applyElementEdit();
  /// "Add": appends the row NewElm1, NewElm2, NewElm3, 200, 1.2, 0.
  void addElementRow() { m_elements.addRow(); }
  /// "Save Settings": rewrites elems.inf in the program folder.
  void saveElementDefinitions();
  /// "Exit" or the close box: hides the window, attaches the definitions and redraws.
  void closeElementDefinitions();

  // "Customize Graphics" (Preferences).
  const view::GraphicsSettingsWindowModel& graphicsWindow() const { return m_graphicsWindow; }
  const view::GraphicsSettings& graphicsSettings() const { return m_context.state.graphics(); }
  bool graphicsWindowVisible() const { return m_graphicsVisible; }
  void showGraphicsSettings() { m_graphicsVisible = true; }
  void graphicsSettingsClosed() { m_graphicsVisible = false; }
  /// A spin edit of line `line` (12..21) changed: stored within its range; a change moves the
  /// stereo panes and redraws.
  void setGraphicsValue(int line, int value);
  /// A click on the colour edit of line `line` (1..11): the colour chooser; a confirmed colour
  /// is stored and drawn.
  void chooseGraphicsColor(int line);
  /// The up/down button SpinButton1 of the main window: the picture one step thicker or
  /// thinner (bond width, ball size and the thin line widths); redraws.
  void stepThickness(bool thicker);
  /// "Save Settings": a name in the program folder, then the 21 values written there.
  void saveGraphicsSettings();
  /// "OpenSettings": a settings file of the program folder becomes the current one and is read.
  void openGraphicsSettings();
  /// Reads the current settings file (each open of a structure). Throws
  /// view::MissingSettingsFile when it is missing, ConversionError for a bad line.
  void loadGraphicsSettings() override;
  int ellipsePair() const override { return m_ellipse.pair; }
  int ellipseSizeFactor() const override { return m_ellipse.sizeFactor; }
  const EllipsoidStyle& ellipsoidStyle() const override { return m_ellipse.ellipsoids; }

 private:
  void followProgramFolder();
  /// The chain every change ends with: bond detection first when `bonds`, then the picture.
  void afterChange(bool bonds);
  /// The settings changed (`fromFile`: read from a settings file): the stereo panes take the
  /// new "Stereo Separation" and the mouse takes the new "Mouse Speed".
  void graphicsChanged(bool fromFile);

  CommandContext m_context;
  EllipseParamsWindow m_ellipse;
  model::ElementDefinitions m_elements;
  bool m_elementsRead = false;
  bool m_elementsVisible = false;
  std::string m_elementEditText;
  view::GraphicsSettingsWindowModel m_graphicsWindow;
  bool m_graphicsVisible = false;
};

/// "Parameters for Drawing Ellipes" (TForm15), declared: its size factor SpinEdit1 and the
/// thermal-ellipsoid style (Ellipsoids, Probability, PrincipalEllipses, OctantShading).
WindowDeclaration declareEllipseWindow(PreferenceCommands& preferences);
/// "Detailed Definition of Elements" (TForm17), declared: the grid StringGrid1 (a cell: row and
/// column), the edit field Edit1, "Apply", "Add" and the menu items "Save Settings" and "Exit";
/// it prints the table.
WindowDeclaration declareElementDefinitionsWindow(PreferenceCommands& preferences);
/// "Graphics Colors and Other Settings" (TForm18), declared: a press of each colour field opens
/// the colour chooser, each spin edit takes its number, and the menu items "Save Settings" and
/// "OpenSettings".
WindowDeclaration declareGraphicsSettingsWindow(PreferenceCommands& preferences);

}  // namespace tavo::workbench
