// The cycle and summary lines of a SHELXL listing, read by their leading words so that the
// spacing of the different versions ("wR2 = 0.0267" and "wR2 =  0.0267,", "Maximum =-0.001")
// does not matter.
#include "model/refinement_listing.h"

#include <algorithm>
#include <array>

#include "text/text.h"

namespace tavo::model {

namespace {

/// The words of `line` with '=', ',', ';', '[' and ']' taken as blanks.
std::vector<std::string> wordsOf(std::string_view line) {
  std::string spaced(line);
  for (char& c : spaced)
    if (c == '=' || c == ',' || c == ';' || c == '[' || c == ']') c = ' ';
  std::vector<std::string> words;
  for (const std::string_view w : text::splitWords(spaced))
    words.emplace_back(w);
  return words;
}

std::optional<double> numberAt(const std::vector<std::string>& w, std::size_t i) {
  return i < w.size() ? text::findDouble(w[i]) : std::nullopt;
}

int countAt(const std::vector<std::string>& w, std::size_t i) {
  const std::optional<int> n = i < w.size() ? text::findInt(w[i]) : std::nullopt;
  return n.value_or(0);
}

/// The index of `word` in `w` at or after `from`; w.size() when absent.
std::size_t indexOf(const std::vector<std::string>& w, std::string_view word,
                    std::size_t from = 0) {
  for (std::size_t i = from; i < w.size(); ++i)
    if (w[i] == word) return i;
  return w.size();
}

bool startsWithWords(const std::vector<std::string>& w,
                     std::initializer_list<std::string_view> start) {
  if (w.size() < start.size()) return false;
  std::size_t i = 0;
  for (const std::string_view s : start)
    if (w[i++] != s) return false;
  return true;
}

/// "Highest peak 0.16 at 0.0609 0.0000 0.0609 [ 0.49 A from CL1 ]".
std::optional<DensityExtreme> extremeOf(const std::vector<std::string>& w) {
  const std::optional<double> height = numberAt(w, 2);
  if (!height) return std::nullopt;
  DensityExtreme extreme{*height, "", 0};
  const std::size_t from = indexOf(w, "from");
  if (from < w.size() && from + 1 < w.size()) {
    extreme.nearAtom = w[from + 1];
    extreme.distance = numberAt(w, from - 2).value_or(0);
  }
  return extreme;
}

}  // namespace

void RefinementListingReader::read(std::string_view rawLine) {
  const std::string line = text::trimLine(rawLine);
  if (line.empty()) return;
  RefinementSummary& s = m_summary;
  if (line.find("NON POSITIVE DEFINITE") != std::string::npos && !line.starts_with("**")) {
    const std::vector<std::string> w = wordsOf(line.substr(0, line.find("**")));
    if (!w.empty()) s.npdAtoms.push_back(w.back());
    return;
  }
  if (line.starts_with("**")) {
    s.notes.push_back(line);
    return;
  }
  const std::vector<std::string> w = wordsOf(line);
  RefinementCycle* cycle = m_inCycle && !s.cycles.empty() ? &s.cycles.back() : nullptr;
  if (startsWithWords(w, {"Least-squares", "cycle"})) {
    RefinementCycle next;
    next.number = countAt(w, 2);
    s.cycles.push_back(next);
    m_inCycle = true;
  } else if (startsWithWords(w, {"Final", "Structure", "Factor"}) ||
             startsWithWords(w, {"Total", "number", "of", "l.s.", "parameters"})) {
    m_inCycle = false;
    if (w[0] == "Total") s.parameters = countAt(w, 5);
  } else if (startsWithWords(w, {"wR2"}) && indexOf(w, "before") == 2) {
    // "wR2 = 0.0267 before cycle 1 for 111 data and 3 / 3 parameters"
    if (cycle && countAt(w, 4) == cycle->number) {
      cycle->wR2 = numberAt(w, 1);
      cycle->data = countAt(w, 6);
      cycle->parameters = countAt(w, 9);
      s.parameters = countAt(w, 11);  // the "Total number" line after the cycles has the last word
    }
  } else if (startsWithWords(w, {"wR2"}) && line.ends_with("for all data")) {
    // "wR2 = 0.0267, GooF = S = 1.346, Restrained GooF = 1.346 for all data"
    s.wR2 = numberAt(w, 1);
    s.goof = numberAt(w, 4);
    s.restrainedGoof = numberAt(w, 7);
  } else if (startsWithWords(w, {"GooF", "S"})) {
    // "GooF = S = 1.346; Restrained GooF = 1.346 for 0 restraints"
    const std::optional<double> goof = numberAt(w, 2);
    const std::optional<double> restrained = numberAt(w, 5);
    const int restraints = countAt(w, 7);
    if (cycle) {
      cycle->goof = goof;
      cycle->restrainedGoof = restrained;
      cycle->restraints = restraints;
    }
    s.restraints = restraints;
  } else if (startsWithWords(w, {"Mean"}) && w.size() > 1 &&
             (w[1] == "shift/esd" || w[1] == "shift/su")) {
    // "Mean shift/esd = 0.029 Maximum = 0.039 for U11 Cl1"
    if (cycle) {
      cycle->meanShift = numberAt(w, 2);
      cycle->maxShift = numberAt(w, 4);
      const std::size_t forAt = indexOf(w, "for", 5);
      std::string parameter;
      for (std::size_t i = forAt + 1; i < w.size(); ++i)
        parameter += (parameter.empty() ? "" : " ") + w[i];
      cycle->maxShiftParameter = parameter;
    }
  } else if (startsWithWords(w, {"R1"}) && indexOf(w, "Fo") < w.size()) {
    // "R1 = 0.0096 for 111 Fo > 4sig(Fo) and 0.0096 for all 111 data"
    s.r1Gt = numberAt(w, 1);
    s.reflectionsGt = countAt(w, 3);
    const std::size_t andAt = indexOf(w, "and");
    s.r1All = numberAt(w, andAt + 1);
    s.reflectionsAll = countAt(w, andAt + 4);
  } else if (startsWithWords(w, {"Highest", "peak"})) {
    s.highestPeak = extremeOf(w);
  } else if (startsWithWords(w, {"Deepest", "hole"})) {
    s.deepestHole = extremeOf(w);
  } else if (!s.plannedCycles && w.size() >= 2 &&
             (text::upper(w[0]) == "L.S." || text::upper(w[0]) == "CGLS")) {
    s.plannedCycles = text::findInt(w[1]);
  }
}

RefinementSummary readRefinementListing(const std::vector<std::string>& lines) {
  RefinementListingReader reader;
  for (const std::string& line : lines)
    reader.read(line);
  return reader.summary();
}

bool isErrorNote(std::string_view note) {
  const std::string upper = text::upper(note);
  if (upper.find("WARNING") != std::string::npos) return false;
  constexpr std::array<std::string_view, 9> errorWords = {"CANNOT",   "ILLEGAL", "UNKNOWN",
                                                          "ERROR",    "MISSING", "NOT FOUND",
                                                          "TOO MANY", "ABORT",   "INSUFFICIENT"};
  return std::any_of(errorWords.begin(), errorWords.end(),
                     [&](std::string_view word) { return upper.find(word) != std::string::npos; });
}

}  // namespace tavo::model
