// PART colours, the legend, hidden components and residue-qualified labels.
#include "view/part_display.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "text/text.h"

namespace tavo::view {

namespace {

// Colours as the canvas takes them (red in the low byte), chosen to stand apart from the usual
// element colours and from each other.
constexpr Color palette[8] = {
    0xD07020,  // 1: blue
    0x1080F0,  // 2: orange
    0x30A030,  // 3: green
    0xA030C0,  // 4: purple
    0xB0B000,  // 5: teal
    0x2040C0,  // 6: brick red
    0x808000,  // 7: dark teal
    0x7070F0,  // 8: salmon
};

constexpr std::string_view paletteNames[8] = {"blue", "orange",    "green",     "purple",
                                              "teal", "brick red", "dark teal", "salmon"};

/// The file entry that working entry `index` stands for: copies follow unit after unit.
int fileEntryOf(int index, int count) {
  return index <= count || count <= 0 ? index : (index - count - 1) % count + 1;
}

template <class Entry>
void markRepeated(const model::OneBased<Entry>& entries, int count,
                  std::map<std::string, std::set<int>>& residuesOf) {
  for (int i = 1; i <= count; ++i) {
    const Entry& e = entries[i];
    residuesOf[text::upper(text::trimLine(e.label))].insert(e.residue.number);
  }
}

template <class Entry>
std::vector<std::uint8_t> repeatedFlags(const model::OneBased<Entry>& entries, int count,
                                        const std::map<std::string, std::set<int>>& residuesOf) {
  std::vector<std::uint8_t> flags(static_cast<std::size_t>(count) + 1, 0);
  for (int i = 1; i <= count; ++i) {
    const Entry& e = entries[i];
    const auto found = residuesOf.find(text::upper(text::trimLine(e.label)));
    flags[static_cast<std::size_t>(i)] =
        found != residuesOf.end() && found->second.size() > 1 && e.residue.number != 0;
  }
  return flags;
}

}  // namespace

bool PartDisplay::hides(int part) const {
  return part != 0 && std::find(hidden.begin(), hidden.end(), part) != hidden.end();
}

int PartDisplay::labelResidue(const model::StructureModel& s, int kind, int index) const {
  if (kind != 1 && kind != 2) return 0;
  const int count = kind == 1 ? s.nonHCount : s.hCount;
  const int entry = fileEntryOf(index, count);
  const std::vector<std::uint8_t>& flags = residueLabels[kind];
  if (entry < 1 || static_cast<std::size_t>(entry) >= flags.size() || flags[entry] == 0) return 0;
  return kind == 1 ? s.atoms[entry].residue.number : s.hydrogens[entry].residue.number;
}

Color partColor(int part) {
  return palette[(std::abs(part) + 7) % 8];
}

std::string_view partColorName(int part) {
  return paletteNames[(std::abs(part) + 7) % 8];
}

Color drawnColor(const PartDisplay* display, int part, Color elementColor) {
  if (display == nullptr || !display->coloured || part == 0) return elementColor;
  return partColor(part);
}

void followStructure(PartDisplay& display, const model::StructureModel& s) {
  std::set<int> parts;
  for (int i = 1; i <= s.nonHCount; ++i)
    if (s.atoms[i].part != 0) parts.insert(s.atoms[i].part);
  for (int i = 1; i <= s.hCount; ++i)
    if (s.hydrogens[i].part != 0) parts.insert(s.hydrogens[i].part);
  display.parts.assign(parts.begin(), parts.end());
  std::erase_if(display.hidden, [&parts](int part) { return parts.count(part) == 0; });

  // Labels are unique within a residue; across residues the same label names different atoms.
  std::map<std::string, std::set<int>> residuesOf;
  markRepeated(s.atoms, s.nonHCount, residuesOf);
  markRepeated(s.hydrogens, s.hCount, residuesOf);
  display.residueLabels[1] = repeatedFlags(s.atoms, s.nonHCount, residuesOf);
  display.residueLabels[2] = repeatedFlags(s.hydrogens, s.hCount, residuesOf);
}

void drawPartLegend(Canvas& canvas, const PartDisplay& display, int fontSize) {
  if (!display.coloured || display.parts.empty()) return;
  const int size = std::max(fontSize, 10);
  const int radius = size / 2;
  int y = 8 + radius;
  canvas.setFont(black, size);
  for (const int part : display.parts) {
    const Color color = partColor(part);
    canvas.setPen(color, 1);
    canvas.setBrush(color);
    canvas.ellipse(8, y - radius, 8 + 2 * radius, y + radius);
    std::string text = "PART " + std::to_string(part);
    if (display.hides(part)) text += ", hidden";
    canvas.setBrushClear();
    canvas.text(12 + 2 * radius, y - radius - 2, text);
    y += size + 6;
  }
}

std::string residueLabel(std::string_view label, int residue) {
  return std::string(label) + "_" + std::to_string(residue);
}

}  // namespace tavo::view
