// Structure factors and difference density: the agreement of the model with the reflection data
// beside the file, the Fourier maps and their residual peaks, the map's contours in the picture,
// the windows "Map Peaks" and "Agreement with the Data".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "density/agreement.h"
#include "density/density_map.h"
#include "density/fourier_map.h"
#include "text/text_grid.h"
#include "workbench/command_context.h"
#include "workbench/window_declaration.h"

namespace tavo::workbench {

/// Shown when neither a reflection file nor a .fcf is found for the structure.
inline constexpr std::string_view noReflectionDataMessage =
    "No reflection data were found: put NAME.hkl (or a LIST 6 NAME.fcf) beside the structure "
    "file, or choose one with \"Open Reflection Data\".";
/// Shown when a LIST 4 .fcf is the only source of a map (it has no phases).
inline constexpr std::string_view list4WithoutPhasesMessage =
    " holds no phases (LIST 4): the map is computed from the .hkl and the model instead.";

/// Where the reflections of the calculations come from.
enum class ReflectionSource { None, Hkl, Fcf };

/// The window model of "Map Peaks": the level and type of the drawn map, its figures, and the
/// peaks and holes of its peak search.
struct MapPeaksWindow {
  bool visible = false;
  std::string levelText = "3";  // MapLevel: the contour level in units of the map's σ
  int typeIndex = 0;            // MapType: 0 Fo−Fc, 1 2Fo−Fc, 2 Fo
  std::string summary;          // MapSummary: the map's type, grid, σ, minimum and maximum
  text::TextGrid peaks;         // PeakGrid: peaks, then holes
};

/// The window model of "Agreement with the Data".
struct AgreementWindow {
  bool visible = false;
  text::TextGrid summary;  // SummaryGrid: R1, wR2, GooF, the counts
  text::TextGrid worst;    // WorstGrid: the worst-fitting reflections
  text::TextGrid omitted;  // OmittedGrid: reflections left out, and why
};

class DensityCommands {
 public:
  explicit DensityCommands(CommandContext context);
  DensityCommands(const DensityCommands&) = delete;
  DensityCommands& operator=(const DensityCommands&) = delete;

  /// Uses `file` (.hkl or .fcf) in place of the files beside the structure.
  void setReflectionFile(const std::filesystem::path& file);
  /// "Open Reflection Data": chooses the .hkl or .fcf with the open dialog.
  void chooseReflectionFile();
  /// Compares the model with the data (the .hkl beside the structure, or the file chosen).
  const density::Agreement& computeAgreement();
  /// Computes the map of `type`: from a LIST 6 .fcf (the program's Fc and phases) when there is
  /// one, else from the .hkl and the model; then its peaks and holes.
  const density::DensityMap& computeMap(density::MapType type);
  /// The View item "Difference Map": shows the contours (computing the map when needed) or
  /// hides them.
  void toggleMap();
  void showMap(bool shown);
  /// The contour level in units of σ (positive); the contours are redrawn, the map is kept.
  void setLevel(double sigmas);
  void setLevelText(const std::string& text);
  void setMapType(int index);
  /// Replaces the peak list of the structure by the map's peaks (an edit that Undo takes back).
  void usePeaksAsQ();

  void toggleMapPeaksWindow();
  void toggleAgreementWindow();
  void closeMapPeaksWindow() { m_peaksWindow.visible = false; }
  void closeAgreementWindow() { m_agreementWindow.visible = false; }

  /// True while the results belong to the structure open now (not to one read before it).
  bool current() const { return m_computedFor == m_context.state.loadCount; }
  bool mapShown() const { return current() && m_mapShown; }
  double level() const { return m_levelSigmas; }
  const std::optional<density::Agreement>& agreement() const;
  const std::optional<density::DensityMap>& map() const;
  const std::vector<density::MapPeak>& mapPeaks() const { return m_peaks; }
  const std::vector<density::MapPeak>& mapHoles() const { return m_holes; }
  ReflectionSource mapSource() const { return m_mapSource; }
  const std::filesystem::path& dataFile() const { return m_dataFile; }
  /// The number of peaks and holes searched (20 each unless set).
  void setPeakCount(std::size_t count) { m_peakCount = count; }
  /// Writes the compared reflections as a LIST 6 .fcf (h k l Fo² σ Fc φ).
  void writeFcf(const std::filesystem::path& file);

  const MapPeaksWindow& peaksWindow() const { return m_peaksWindow; }
  const AgreementWindow& agreementWindow() const { return m_agreementWindow; }
  WindowDeclaration declareMapPeaksWindow();
  WindowDeclaration declareAgreementWindow();

 private:
  /// Forgets what was computed for another file.
  void forgetStale();
  std::filesystem::path sourceFile(std::string_view extension) const;
  std::vector<density::Reflection> readData(const std::filesystem::path& hkl) const;
  void updateContours();
  void fillPeaksWindow();
  void fillAgreementWindow();
  bool reportProgress(std::string_view task, int percent) const;

  CommandContext m_context;
  int m_computedFor = -1;            // the structure read (loadCount) the results belong to
  std::filesystem::path m_chosen;    // set by setReflectionFile
  std::filesystem::path m_dataFile;  // the file the results were computed from
  std::optional<density::Agreement> m_agreement;
  std::optional<density::DensityMap> m_map;
  std::optional<density::ScatteringModel> m_scattering;
  ReflectionSource m_mapSource = ReflectionSource::None;
  std::vector<density::MapPeak> m_peaks, m_holes;
  std::size_t m_peakCount = 20;
  bool m_mapShown = false;
  double m_levelSigmas = 3;
  density::MapType m_type = density::MapType::FoMinusFc;
  MapPeaksWindow m_peaksWindow;
  AgreementWindow m_agreementWindow;
};

}  // namespace tavo::workbench
