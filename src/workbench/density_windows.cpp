// The windows "Map Peaks" and "Agreement with the Data" declared, and the texts they show.
#include <cmath>
#include <string>

#include "text/text.h"
#include "workbench/density_commands.h"

namespace tavo::workbench {

namespace {

std::string fixed(double value, int decimals) {
  return text::formatFixed(value, decimals);
}

std::string indices(const density::Miller& m) {
  return std::to_string(m.h) + " " + std::to_string(m.k) + " " + std::to_string(m.l);
}

}  // namespace

void DensityCommands::fillPeaksWindow() {
  MapPeaksWindow& w = m_peaksWindow;
  w.levelText = text::formatShortest(m_levelSigmas);
  if (!m_map) return;
  const density::DensityMap& map = *m_map;
  w.summary = density::mapTypeName(map.type) + " map, grid " + std::to_string(map.nu) + " x " +
              std::to_string(map.nv) + " x " + std::to_string(map.nw) + ", sigma " +
              fixed(map.rms, 3) + " e/A^3, min " + fixed(map.min, 2) + ", max " +
              fixed(map.max, 2) +
              (m_mapSource == ReflectionSource::Fcf ? " (Fc and phases of "
                                                    : " (our Fc and phases, data of ") +
              m_dataFile.filename().string() + ")";
  w.peaks = text::TextGrid(1, 8);
  w.peaks.setRow(0,
                 {"Peak", "Height e/A^3", "x", "y", "z", "Nearest", "Distance A", "Height/sigma"});
  int row = 1;
  const auto add = [&](const std::string& name, const density::MapPeak& peak) {
    w.peaks.setRow(
        row++, {name, fixed(peak.height, 2), fixed(peak.position.x, 4), fixed(peak.position.y, 4),
                fixed(peak.position.z, 4), peak.nearest, fixed(peak.distance, 2),
                map.rms > 0 ? fixed(peak.height / map.rms, 1) : "0"});
  };
  for (std::size_t i = 0; i < m_peaks.size(); ++i)
    add("Q" + std::to_string(i + 1), m_peaks[i]);
  for (std::size_t i = 0; i < m_holes.size(); ++i)
    add("Hole" + std::to_string(i + 1), m_holes[i]);
}

void DensityCommands::fillAgreementWindow() {
  AgreementWindow& w = m_agreementWindow;
  if (!m_agreement) return;
  const density::Agreement& a = *m_agreement;
  const density::MergeStatistics& m = a.merge;
  w.summary = text::TextGrid(0, 2);
  const std::pair<std::string, std::string> rows[] = {
      {"Data", m_dataFile.filename().string()},
      {"R1 (Fo > 4sig(Fo))", fixed(a.r1Gt, 4) + " for " + std::to_string(a.reflectionsGt)},
      {"R1 (all data)", fixed(a.r1All, 4) + " for " + std::to_string(a.reflections)},
      {"wR2", fixed(a.wR2, 4)},
      {"GooF", fixed(a.goof, 3) + " (" + std::to_string(a.parameters) + " parameters)"},
      {"Reflections read", std::to_string(m.read)},
      {"Rejected (OMIT, SHEL)", std::to_string(m.rejected)},
      {"Systematically absent", std::to_string(m.absent)},
      {"Unique after merging",
       std::to_string(m.unique) + (a.friedelMerged ? " (Friedel opposites merged)" : "")},
      {"R(int)", fixed(m.rint, 4)},
      {"R(sigma)", fixed(m.rsigma, 4)},
  };
  int r = 0;
  for (const auto& [name, value] : rows)
    w.summary.setRow(r++, {name, value});

  w.worst = text::TextGrid(1, 7);
  w.worst.setRow(
      0, {"h k l", "Fo^2", "Fc^2", "Error/esd", "Fc/Fc(max)", "Resolution A", "Merged from"});
  r = 1;
  for (const density::ReflectionFit& fit : density::worstFits(a, 30)) {
    const double d = fit.stol2 > 0 ? 0.5 / std::sqrt(fit.stol2) : 0;
    w.worst.setRow(
        r++, {indices(fit.hkl), fixed(fit.fo2, 2), fixed(fit.fc2, 2), fixed(fit.deviation(), 2),
              a.fcMax > 0 ? fixed(std::sqrt(fit.fc2) / a.fcMax, 3) : "0", fixed(d, 2),
              std::to_string(fit.count)});
  }

  w.omitted = text::TextGrid(1, 2);
  w.omitted.setRow(0, {"h k l", "Why"});
  r = 1;
  for (const density::Miller& hkl : m.omittedIndices)
    w.omitted.setRow(r++, {indices(hkl), "OMIT h k l"});
  for (const density::ReflectionFit& fit : a.fits)
    if (!fit.observed) w.omitted.setRow(r++, {indices(fit.hkl), "below the OMIT threshold"});
  if (m.rejected > static_cast<int>(m.omittedIndices.size()))
    w.omitted.setRow(r++, {"", std::to_string(m.rejected) +
                                   " observations rejected (OMIT h k l, 2-theta limit, SHEL)"});
  if (m.absent > 0)
    w.omitted.setRow(r++, {"", std::to_string(m.absent) + " systematically absent"});
}

WindowDeclaration DensityCommands::declareMapPeaksWindow() {
  WindowDeclaration w =
      declaredWindow("MapPeaks", "Map Peaks", "\"Map Peaks\" of the View menu shows it",
                     [this] { return current() && m_peaksWindow.visible; });
  w.placement = Placement::BesidePicture;
  w.controls = {
      textField("MapLevel", [this](const std::string& t) { setLevelText(t); }, {"Level"}),
      control("MapType", ControlKind::Choice,
              [this](const ControlInput& v) {
                // The type by its name ("2fo-fc") or by its place in the list.
                const auto named = v.empty() ? std::nullopt : density::findMapType(v[0]);
                setMapType(named ? static_cast<int>(*named) : intValue("MapType", v));
              }),
      checkBox("ShowMap", [this](bool shown) { showMap(shown); }, {"Show Map"}),
      table("PeakGrid", [](const ControlInput&) {}),
      press("Recompute", [this] { computeMap(m_type); }, {"Compute Map"}),
      press("UseAsQ", [this] { usePeaksAsQ(); }, {"Use as Q-peaks"}),
      press("Close", [this] { closeMapPeaksWindow(); }),
  };
  w.print = [this] {
    std::vector<std::string> lines{m_peaksWindow.summary,
                                   "Level " + m_peaksWindow.levelText + " sigma"};
    for (std::string& line : gridPrintLines(m_peaksWindow.peaks))
      lines.push_back(std::move(line));
    return lines;
  };
  return w;
}

WindowDeclaration DensityCommands::declareAgreementWindow() {
  WindowDeclaration w = declaredWindow("Agreement", "Agreement with the Data",
                                       "\"Agreement with the Data\" of the View menu shows it",
                                       [this] { return current() && m_agreementWindow.visible; });
  w.placement = Placement::Centred;
  w.controls = {
      table("SummaryGrid", [](const ControlInput&) {}),
      table("WorstGrid", [](const ControlInput&) {}),
      table("OmittedGrid", [](const ControlInput&) {}),
      press("Recompute", [this] { computeAgreement(); }, {"Compute"}),
      press("Close", [this] { closeAgreementWindow(); }),
  };
  w.print = [this] {
    std::vector<std::string> lines;
    for (const text::TextGrid* grid :
         {&m_agreementWindow.summary, &m_agreementWindow.worst, &m_agreementWindow.omitted})
      for (std::string& line : gridPrintLines(*grid))
        lines.push_back(std::move(line));
    return lines;
  };
  return w;
}

}  // namespace tavo::workbench
