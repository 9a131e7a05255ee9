#include "workbench/density_commands.h"

#include <algorithm>
#include <cmath>

#include "density/fcf_file.h"
#include "density/reflection_file.h"
#include "editing/peaks.h"
#include "geometry/cell_metrics.h"
#include "text/errors.h"
#include "text/text.h"
#include "workbench/edit_step.h"
#include "workbench/workbench_state.h"

namespace tavo::workbench {

namespace fs = std::filesystem;

namespace {

/// The margin of the contoured box around the atoms, Å.
constexpr double contourMarginA = 2.0;

/// The segments of the mesh within the margin of one of `atoms` (Cartesian, Å): the box around
/// them holds much space beside them, where other molecules of the packing stand.
view::MapOverlay overlayOf(const density::ContourMesh& mesh, const model::CellParameters& cell,
                           const std::vector<model::Vec3>& atoms) {
  // The mesh runs through the grid in order, so that the next segment is most often near the
  // atom the last one was near: that atom is tried first.
  std::size_t lastNear = 0;
  const auto within = [&](const model::Vec3& middle, std::size_t i) {
    const model::Vec3 d = middle - atoms[i];
    return model::dot(d, d) < contourMarginA * contourMarginA;
  };
  const auto near = [&](const density::ContourSegment& s) {
    const model::Vec3 middle = geometry::cartesianOf(
        cell, {(s.from.x + s.to.x) / 2, (s.from.y + s.to.y) / 2, (s.from.z + s.to.z) / 2});
    if (lastNear < atoms.size() && within(middle, lastNear)) return true;
    for (std::size_t i = 0; i < atoms.size(); ++i)
      if (within(middle, i)) {
        lastNear = i;
        return true;
      }
    return false;
  };
  view::MapOverlay overlay;
  for (const density::ContourSegment& s : mesh.positive)
    if (near(s)) overlay.positive.push_back({s.from, s.to});
  for (const density::ContourSegment& s : mesh.negative)
    if (near(s)) overlay.negative.push_back({s.from, s.to});
  return overlay;
}

/// Ends the progress of a task however the computation ends (done, failed or cancelled).
class ProgressEnd {
 public:
  ProgressEnd(model::Dialogs& dialogs, std::string_view task) : m_dialogs(dialogs), m_task(task) {}
  ~ProgressEnd() { m_dialogs.progress(m_task, 100); }
  ProgressEnd(const ProgressEnd&) = delete;
  ProgressEnd& operator=(const ProgressEnd&) = delete;

 private:
  model::Dialogs& m_dialogs;
  std::string_view m_task;
};

density::MapType typeOfIndex(int index) {
  switch (index) {
    case 1:
      return density::MapType::TwoFoMinusFc;
    case 2:
      return density::MapType::Fo;
    default:
      return density::MapType::FoMinusFc;
  }
}

std::string lowerExtension(const fs::path& file) {
  std::string extension = file.extension().string();
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

}  // namespace

DensityCommands::DensityCommands(CommandContext context) : m_context(context) {}

bool DensityCommands::reportProgress(std::string_view task, int percent) const {
  if (!m_context.dialogs.progress(task, percent)) throw CommandAbandoned{};
  return true;
}

void DensityCommands::forgetStale() {
  if (m_computedFor == m_context.state.loadCount) return;
  m_computedFor = m_context.state.loadCount;
  m_chosen.clear();
  m_agreement.reset();
  m_map.reset();
  m_scattering.reset();
  m_peaks.clear();
  m_holes.clear();
  m_mapShown = false;
  m_mapSource = ReflectionSource::None;
  m_peaksWindow.visible = false;
  m_agreementWindow.visible = false;
  m_context.state.mapOverlay = {};
  m_context.state.mapOverlayShown = false;
}

void DensityCommands::setReflectionFile(const fs::path& file) {
  forgetStale();
  if (!fs::exists(file)) throw FileError(file, "the file does not exist.");
  m_chosen = file;
  m_agreement.reset();
  m_map.reset();
}

void DensityCommands::chooseReflectionFile() {
  if (!m_context.state.loaded) throw UserError("Open a structure first.");
  const auto chosen = m_context.dialogs.chooseFileToOpen(
      m_context.state.workingFolder(), "Reflection data (*.hkl *.fcf);;All files (*)");
  if (chosen) setReflectionFile(*chosen);
}

fs::path DensityCommands::sourceFile(std::string_view extension) const {
  if (!m_chosen.empty()) return lowerExtension(m_chosen) == extension ? m_chosen : fs::path();
  const std::string& current = m_context.state.structure.currentFile;
  if (current.empty()) return {};
  return density::findBeside(current, extension).value_or(fs::path());
}

std::vector<density::Reflection> DensityCommands::readData(const fs::path& hkl) const {
  const density::HklfCard card = density::parseHklfCard(m_context.state.structure.hklfLine);
  return density::readHklFile(hkl, card);
}

const density::Agreement& DensityCommands::computeAgreement() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) throw UserError("Open a structure first.");
  forgetStale();
  const fs::path hkl = sourceFile(".hkl");
  if (hkl.empty()) throw UserError(std::string(noReflectionDataMessage));
  constexpr std::string_view task = "Structure factors";
  const ProgressEnd end(m_context.dialogs, task);
  reportProgress(task, 0);
  const std::vector<density::Reflection> data = readData(hkl);
  const density::RefinementCards cards = density::readRefinementCards(state.structure);
  m_scattering = density::scatteringModel(state.structure, cards);
  const density::StructureFactorCalculator calculator(*m_scattering);
  const density::MergedData merged = density::mergeReflections(data, cards, calculator.metric());
  m_agreement = density::computeAgreement(
      calculator, merged, cards, density::refinedParameterCount(state.structure, cards),
      [&](double done) { reportProgress(task, static_cast<int>(5 + 90 * done)); });
  m_dataFile = hkl;
  fillAgreementWindow();
  return *m_agreement;
}

const density::DensityMap& DensityCommands::computeMap(density::MapType type) {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) throw UserError("Open a structure first.");
  forgetStale();
  m_type = type;
  std::vector<density::MapCoefficient> coefficients;
  const fs::path fcf = sourceFile(".fcf");
  std::optional<density::FcfData> list6;
  if (!fcf.empty()) {
    density::FcfData read = density::readFcfFile(fcf);
    if (read.list == 6)
      list6 = std::move(read);
    else if (sourceFile(".hkl").empty())
      throw UserError(fcf.filename().string() + std::string(list4WithoutPhasesMessage));
  }
  const density::RefinementCards cards = density::readRefinementCards(state.structure);
  m_scattering = density::scatteringModel(state.structure, cards);
  if (list6) {
    coefficients = density::mapCoefficients(*list6, type);
    m_mapSource = ReflectionSource::Fcf;
    m_dataFile = fcf;
  } else {
    const density::Agreement& agreement = computeAgreement();
    coefficients = density::mapCoefficients(agreement, type);
    m_mapSource = ReflectionSource::Hkl;
  }
  constexpr std::string_view task = "Fourier map";
  const ProgressEnd end(m_context.dialogs, task);
  reportProgress(task, 0);
  m_map = density::fourierMap(coefficients, cards.operators, m_scattering->cell, type);
  reportProgress(task, 60);
  m_peaks = density::searchPeaks(*m_map, *m_scattering, m_peakCount);
  m_holes = density::searchPeaks(*m_map, *m_scattering, m_peakCount, true);
  fillPeaksWindow();
  updateContours();
  return *m_map;
}

void DensityCommands::toggleMap() {
  forgetStale();
  showMap(!m_mapShown);
}

const std::optional<density::Agreement>& DensityCommands::agreement() const {
  static const std::optional<density::Agreement> none;
  return current() ? m_agreement : none;
}

const std::optional<density::DensityMap>& DensityCommands::map() const {
  static const std::optional<density::DensityMap> none;
  return current() ? m_map : none;
}

void DensityCommands::showMap(bool shown) {
  forgetStale();
  if (shown && !m_map) computeMap(m_type);
  m_mapShown = shown;
  updateContours();
}

void DensityCommands::setLevel(double sigmas) {
  if (!(sigmas > 0)) throw UserError("The contour level must be a positive number of σ.");
  m_levelSigmas = sigmas;
  m_peaksWindow.levelText = text::formatShortest(sigmas);
  updateContours();
}

void DensityCommands::setLevelText(const std::string& text) {
  setLevel(text::parseDouble(text));
}

void DensityCommands::setMapType(int index) {
  m_peaksWindow.typeIndex = std::clamp(index, 0, 2);
  const density::MapType type = typeOfIndex(m_peaksWindow.typeIndex);
  if (m_map && m_map->type != type) computeMap(type);
  m_type = type;
}

void DensityCommands::updateContours() {
  WorkbenchState& state = m_context.state;
  if (!m_mapShown || !m_map || !state.loaded) {
    state.mapOverlay = {};
    state.mapOverlayShown = false;
    if (state.loaded) state.redraw();
    return;
  }
  // The asymmetric unit (or the picked atoms) and a margin.
  const model::StructureModel& s = state.structure;
  density::FractionalBox box{{1e9, 1e9, 1e9}, {-1e9, -1e9, -1e9}};
  std::vector<model::Vec3> atoms;
  const auto include = [&](double x, double y, double z) {
    box.min = {std::min(box.min.x, x), std::min(box.min.y, y), std::min(box.min.z, z)};
    box.max = {std::max(box.max.x, x), std::max(box.max.y, y), std::max(box.max.z, z)};
    atoms.push_back(geometry::cartesianOf(s.cell, {x, y, z}));
  };
  bool any = false;
  for (const model::AtomRef& ref : state.selection.picked) {
    const geometry::Fractional f = geometry::fractionalOf(s, ref);
    include(f.x, f.y, f.z);
    any = true;
  }
  if (!any) {
    for (int i = 1; i <= s.nonHCount; ++i)
      include(s.atoms[i].x, s.atoms[i].y, s.atoms[i].z);
    for (int i = 1; i <= s.hCount; ++i)
      include(s.hydrogens[i].x, s.hydrogens[i].y, s.hydrogens[i].z);
  }
  if (box.min.x > box.max.x) box = {{0, 0, 0}, {1, 1, 1}};
  box.min = {box.min.x - contourMarginA / s.cell.a, box.min.y - contourMarginA / s.cell.b,
             box.min.z - contourMarginA / s.cell.c};
  box.max = {box.max.x + contourMarginA / s.cell.a, box.max.y + contourMarginA / s.cell.b,
             box.max.z + contourMarginA / s.cell.c};
  const density::ContourMesh mesh = density::contourMesh(*m_map, box, m_levelSigmas * m_map->rms);
  state.mapOverlay = overlayOf(mesh, s.cell, atoms);
  state.mapOverlayShown = true;
  state.redraw();
}

void DensityCommands::usePeaksAsQ() {
  WorkbenchState& state = m_context.state;
  if (!state.loaded) throw UserError("Open a structure first.");
  forgetStale();
  if (!m_map) computeMap(m_type);
  model::StructureModel& s = state.structure;
  EditStep step(state, "Use as Q-peaks");
  editing::clearPeaks(s, state.selection);
  const int room = std::max(0, s.limits.atmMax - s.workingAtomCount - s.workingHCount);
  const std::size_t count = std::min(m_peaks.size(), static_cast<std::size_t>(room));
  for (std::size_t i = 0; i < count; ++i) {
    const density::MapPeak& peak = m_peaks[i];
    s.peaks[s.addPeak()] = {peak.position.x, peak.position.y, peak.position.z, peak.height, 0};
  }
  s.peakCount = s.workingPeakCount;
  state.initGraphics();
  state.afterChange({.fractionalCoordinates = true, .resetView = false});
  step.commit();
  state.notifyState();
}

void DensityCommands::toggleMapPeaksWindow() {
  forgetStale();
  if (m_peaksWindow.visible) {
    m_peaksWindow.visible = false;
    return;
  }
  if (!m_context.state.loaded) throw UserError("Open a structure first.");
  forgetStale();
  if (!m_map) computeMap(m_type);
  m_peaksWindow.visible = true;
}

void DensityCommands::toggleAgreementWindow() {
  forgetStale();
  if (m_agreementWindow.visible) {
    m_agreementWindow.visible = false;
    return;
  }
  forgetStale();
  if (!m_agreement) computeAgreement();
  m_agreementWindow.visible = true;
}

void DensityCommands::writeFcf(const fs::path& file) {
  if (!m_agreement) computeAgreement();
  density::FcfData data;
  data.list = 6;
  for (const density::ReflectionFit& fit : m_agreement->fits) {
    density::FcfRow row;
    row.hkl = fit.hkl;
    row.fo2 = fit.fo2;
    row.sigma = fit.sigma;
    row.fc = std::abs(fit.fc);
    row.phaseDeg = std::arg(fit.fc) * 180 / std::acos(-1.0);
    if (row.phaseDeg < 0) row.phaseDeg += 360;
    data.rows.push_back(row);
  }
  density::FcfHeader header;
  const model::StructureModel& s = m_context.state.structure;
  header.blockName = fs::path(s.currentFile).stem().string();
  header.title =
      s.lineCount() > 0
          ? s.instructionLines[0].substr(std::min<std::size_t>(5, s.instructionLines[0].size()))
          : "";
  header.fCalcMaximum = m_agreement->fcMax;
  header.f000 = m_agreement->f000;
  header.resolutionHighA = m_agreement->merge.dMin;
  header.cell =
      std::array<double, 6>{s.cell.a, s.cell.b, s.cell.c, s.cell.alpha, s.cell.beta, s.cell.gamma};
  if (m_scattering)
    for (const geometry::SeitzOperator& op : m_scattering->operators)
      header.symmetryOperations.push_back(geometry::tripletText(op));
  density::writeFcfList6(file, data, header);
}

}  // namespace tavo::workbench
