// What the shared state of the main window takes from the Preferences windows: the graphics
// settings file it reads at each open, and the ellipse parameters and element definitions it
// draws and reads with.
#pragma once

namespace tavo::model {
class ElementDefinitions;
}  // namespace tavo::model

namespace tavo::workbench {

/// The thermal-ellipsoid style of the picture, as the ellipse parameters window sets it.
struct EllipsoidStyle {
  bool on = false;                // "Thermal Ellipsoids" (View), check box "Ellipsoids"
  int probabilityPercent = 50;    // "Probability (%)", 1..99
  bool principalEllipses = true;  // check box "Principal Ellipses"
  bool octantShading = false;     // check box "Octant Shading"
  friend bool operator==(const EllipsoidStyle&, const EllipsoidStyle&) = default;
};

/// The settings that the Preferences windows edit, as the picture and the readers use them.
class PicturePreferences {
 public:
  virtual ~PicturePreferences() = default;
  /// Reads the current graphics settings file. Throws view::MissingSettingsFile when it is
  /// missing, ConversionError for a bad line.
  virtual void loadGraphicsSettings() = 0;
  /// SpinEdit25: the component pair of the ellipses (1 = U11/U22, 2 = U22/U33, 3 = U33/U11).
  virtual int ellipsePair() const = 0;
  /// "Overall Size Factor" of the ellipses (1..100).
  virtual int ellipseSizeFactor() const = 0;
  /// The thermal-ellipsoid style.
  virtual const EllipsoidStyle& ellipsoidStyle() const = 0;
  /// The element definitions in use.
  virtual const model::ElementDefinitions& elementDefinitions() const = 0;
  /// Reads elems.inf again, as every load of a structure does; the table the reader attaches.
  virtual const model::ElementDefinitions& reloadElementDefinitions() = 0;
};

}  // namespace tavo::workbench
