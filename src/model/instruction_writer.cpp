// The instruction-file writer: instruction lines, FVAR cards, the regenerated atom list, save
// with numbered backups, and the file of all expanded atoms.
#include "model/instruction_writer.h"

#include <algorithm>
#include <cmath>

#include "model/atom_line.h"
#include "model/backups.h"
#include "model/file_replace.h"
#include "model/shelxl_instructions.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::model {

namespace {

constexpr std::size_t labelWidth = 5;
constexpr std::size_t sfacWidth = 2;
constexpr std::size_t coordinateWidth = 12;  // x, y, z and sof
constexpr std::size_t uWidth = 11;
constexpr int decimals = 6;
constexpr std::size_t fvarPerCard = 7;
constexpr const char* defaultHklfLine = "HKLF 4";

/// Appends `text` right-aligned in `width`, with a blank in front whenever the previous field
/// and this one would otherwise touch.
void appendField(std::string& line, std::string_view text, std::size_t width) {
  const std::string padded = text::padLeft(text, width);
  if (!line.empty() && line.back() != ' ' && !padded.empty() && padded.front() != ' ') {
    line += ' ';
  }
  line += padded;
}

void appendNumber(std::string& line, double value, std::size_t width) {
  appendField(line, text::formatFixed(value, decimals), width);
}

std::string nameAndSfac(const std::string& label, int sfac) {
  std::string line = text::padRight(text::cut(label, labelWidth), labelWidth);
  appendField(line, std::to_string(sfac), sfacWidth);
  return line;
}

void appendComment(std::string& line, const std::string& comment) {
  if (!comment.empty()) line += " !" + comment;
}

std::string stripTrailingZeros(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (s.back() == '0')
    s.pop_back();
  return s;
}

/// One FVAR value in its field: three blanks and seven characters, or two blanks and eight for
/// a negative value, cut from the general format and padded with zeros.
std::string fvarField(double value) {
  const bool negative = value < 0;
  const std::size_t width = negative ? 8 : 7;
  std::string number = text::formatGeneral(value, 15);
  bool keepWhole = false;
  if (number.find('E') != std::string::npos) {
    // An exponent would not survive the cut: fixed notation with every digit kept.
    number = stripTrailingZeros(text::formatFixed(value, std::abs(value) >= 1 ? 0 : 15));
    keepWhole = true;
  }
  const std::size_t point = number.find('.');
  const std::size_t integerLength = point == std::string::npos ? number.size() : point;
  if (integerLength >= width) {
    // Cutting would drop digits before the point and change the value.
    number = number.substr(0, integerLength);
    keepWhole = true;
  }
  if (!keepWhole) number = text::cut(number, width);
  if (number.find('.') == std::string::npos) number += '.';
  if (number.size() < width) number.append(width - number.size(), '0');
  return (negative ? "  " : "   ") + number;
}

std::string partLine(int part, const std::string& partSof, const std::string& comment) {
  std::string line = "PART " + std::to_string(part);
  if (!partSof.empty()) line += " " + partSof;
  appendComment(line, comment);
  return line;
}

/// Writes the atom list: every atom under its own PART, riding groups with their AFIX lines,
/// free H atoms where they stood and the kept cards before the atom they preceded.
class AtomListWriter {
 public:
  AtomListWriter(const StructureModel& structure, std::vector<std::string>& out)
      : m_structure(structure),
        m_out(out),
        m_cardWritten(structure.atomListCards.size(), false),
        m_hydrogenWritten(static_cast<std::size_t>(std::max(structure.hCount, 0)) + 1, false) {}

  void write() {
    const int atomCount = m_structure.nonHCount;
    for (int j = 1; j <= atomCount; ++j) {
      writeFreeHydrogensAt(j - 1);
      writeAtom(j);
    }
    writeFreeHydrogensAt(atomCount);
    // H atoms of a riding group whose parent is gone: kept rather than lost (a save refuses
    // such a model before it gets here; see checkRidingParents).
    for (int k = 1; k <= m_structure.hCount; ++k) {
      if (!m_hydrogenWritten[static_cast<std::size_t>(k)]) writeHydrogen(k);
    }
    if (m_part != 0 || !m_partSof.empty()) setPart(0, "", "");
    for (std::size_t c = 0; c < m_structure.atomListCards.size(); ++c) {
      if (!m_cardWritten[c]) writeCard(c);
    }
  }

 private:
  /// The place of a free H: after atom `afterAtom`, or after the last atom.
  int positionOf(const Hydrogen& h) const {
    return h.afterAtom < 0 || h.afterAtom > m_structure.nonHCount ? m_structure.nonHCount
                                                                  : h.afterAtom;
  }

  void writeFreeHydrogensAt(int position) {
    for (int k = 1; k <= m_structure.hCount; ++k) {
      const Hydrogen& h = m_structure.hydrogens[k];
      if (h.afixGroup == 0 && positionOf(h) == position) writeHydrogen(k);
    }
  }

  void setPart(int part, const std::string& partSof, const std::string& comment) {
    if (part == m_part && partSof == m_partSof && comment == m_partComment) return;
    m_out.push_back(partLine(part, partSof, comment));
    m_part = part;
    m_partSof = partSof;
    m_partComment = comment;
  }

  void writeCard(std::size_t c) {
    const AtomListCard& card = m_structure.atomListCards[c];
    m_out.insert(m_out.end(), card.lines.begin(), card.lines.end());
    m_cardWritten[c] = true;
    if (const auto residue = parseResiCard(splitRow(card.lines.front()).code)) m_residue = *residue;
  }

  // The RESI cards kept from the file stand where they stood; an atom whose residue is not the
  // one in force (an atom added, moved or deleted around it by an edit) gets a card of its own,
  // so that the file read back puts every atom into its residue.
  void setResidue(const Residue& residue) {
    if (sameResidue(residue, m_residue)) return;
    m_out.push_back(resiCard(residue));
    m_residue = residue;
  }

  void writeCardsBefore(AtomRef ref) {
    for (std::size_t c = 0; c < m_structure.atomListCards.size(); ++c) {
      if (!m_cardWritten[c] && m_structure.atomListCards[c].before == ref) writeCard(c);
    }
  }

  void writeHydrogen(int k) {
    const Hydrogen& h = m_structure.hydrogens[k];
    setPart(h.part, h.partSof, h.partComment);
    writeCardsBefore({AtomKind::Hydrogen, k});
    setResidue(h.residue);
    m_out.push_back(hydrogenLine(h));
    m_hydrogenWritten[static_cast<std::size_t>(k)] = true;
  }

  void writeAtom(int j) {
    const Atom& atom = m_structure.atoms[j];
    setPart(atom.part, atom.partSof, atom.partComment);
    writeCardsBefore({AtomKind::Atom, j});
    setResidue(atom.residue);
    for (std::string& line : atomLines(atom))
      m_out.push_back(std::move(line));
    const int group = atom.afixGroup;
    if (group <= 0 || group > m_structure.ridingGroupCount) return;
    const RidingGroup& riding = m_structure.ridingGroups[group];
    std::string afix = "AFIX " + (riding.afixText.empty() ? riding.afixCode : riding.afixText);
    appendComment(afix, riding.afixComment);
    m_out.push_back(std::move(afix));
    for (int k = 1; k <= m_structure.hCount; ++k) {
      if (m_structure.hydrogens[k].afixGroup == group &&
          !m_hydrogenWritten[static_cast<std::size_t>(k)]) {
        writeHydrogen(k);
      }
    }
    if (!riding.closingLine.empty()) m_out.push_back(riding.closingLine);
  }

  const StructureModel& m_structure;
  std::vector<std::string>& m_out;
  std::vector<bool> m_cardWritten;
  std::vector<bool> m_hydrogenWritten;
  int m_part = 0;
  std::string m_partSof;
  std::string m_partComment;
  Residue m_residue;
};

bool isFvarLine(std::string_view line) {
  return text::startsWithUpper(line, "FVAR");
}

std::string hklfOf(const StructureModel& structure) {
  return structure.hklfLine.empty() ? defaultHklfLine : structure.hklfLine;
}

}  // namespace

std::vector<std::string> fvarCards(const std::vector<double>& values) {
  std::vector<std::string> cards;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i % fvarPerCard == 0) cards.emplace_back("FVAR    ");
    cards.back() += fvarField(values[i]);
  }
  return cards;
}

std::vector<std::string> atomLines(const Atom& atom) {
  const auto coded = [&](double value, Parameter p) {
    return encodeFreeVariable(value, atom.codes[p]);
  };
  std::string first = nameAndSfac(atom.label, atom.sfac);
  appendNumber(first, coded(atom.x, X), coordinateWidth);
  appendNumber(first, coded(atom.y, Y), coordinateWidth);
  appendNumber(first, coded(atom.z, Z), coordinateWidth);
  appendNumber(first, coded(atom.sof, Sof), coordinateWidth);
  appendNumber(first, coded(atom.u11, U11), uWidth);
  if (atom.aniso != 1) {
    appendComment(first, atom.comment);
    return {first};
  }
  appendNumber(first, coded(atom.u22, U22), uWidth);
  first += " = ";
  std::string second(labelWidth, ' ');
  appendNumber(second, coded(atom.u33, U33), uWidth);
  appendNumber(second, coded(atom.u23, U23), uWidth);
  appendNumber(second, coded(atom.u13, U13), uWidth);
  appendNumber(second, coded(atom.u12, U12), uWidth);
  appendComment(second, atom.comment);
  return {first, second};
}

std::string hydrogenLine(const Hydrogen& h) {
  const auto coded = [&](double value, Parameter p) {
    return encodeFreeVariable(value, h.codes[p]);
  };
  std::string line = nameAndSfac(h.label, h.sfac);
  appendNumber(line, coded(h.x, X), coordinateWidth);
  appendNumber(line, coded(h.y, Y), coordinateWidth);
  appendNumber(line, coded(h.z, Z), coordinateWidth);
  appendNumber(line, coded(h.sof, Sof), coordinateWidth);
  appendNumber(line, coded(h.uiso, U11), uWidth);
  appendComment(line, h.comment);
  return line;
}

std::string peakLine(int index, const Peak& peak) {
  std::string line = text::padRight("Q" + std::to_string(index), 5) + " 1";
  for (const double v : {peak.x, peak.y, peak.z})
    line += text::padLeft(text::formatFixed(v, 4), 9);
  return line + "  11.00000  0.05" + text::padLeft(text::formatFixed(peak.height, 2), 8);
}

std::vector<std::string> instructionFileLines(const StructureModel& structure) {
  std::vector<std::string> out;
  for (const std::string& line : structure.instructionLines) {
    if (!isFvarLine(line)) out.push_back(line);
  }
  if (!structure.noFvar) {
    std::vector<double> values;
    for (int i = 1; i <= structure.fvarCount; ++i)
      values.push_back(structure.fvar[i]);
    std::vector<std::string> cards = fvarCards(values);
    if (!cards.empty()) appendComment(cards.front(), structure.fvarComment);
    for (std::string& card : cards)
      out.push_back(std::move(card));
  }
  AtomListWriter(structure, out).write();
  out.push_back(hklfOf(structure));
  out.insert(out.end(), structure.hklfTrailer.begin(), structure.hklfTrailer.end());
  // The peaks stand where SHELXL puts them in a .res file, after HKLF, where SHELXL reads nothing.
  for (int i = 1; i <= structure.peakCount; ++i)
    out.push_back(peakLine(i, structure.peaks[i]));
  out.emplace_back("END");
  return out;
}

std::vector<std::string> ridingHydrogensWithoutParent(const StructureModel& structure) {
  std::vector<bool> carried(static_cast<std::size_t>(std::max(structure.ridingGroupCount, 0)) + 1,
                            false);
  for (int j = 1; j <= structure.nonHCount; ++j) {
    const int group = structure.atoms[j].afixGroup;
    if (group >= 1 && group <= structure.ridingGroupCount)
      carried[static_cast<std::size_t>(group)] = true;
  }
  std::vector<std::string> labels;
  for (int k = 1; k <= structure.hCount; ++k) {
    const Hydrogen& h = structure.hydrogens[k];
    if (h.afixGroup == 0) continue;
    const bool known = h.afixGroup >= 1 && h.afixGroup <= structure.ridingGroupCount;
    if (!known || !carried[static_cast<std::size_t>(h.afixGroup)])
      labels.push_back(text::trimLine(h.label));
  }
  return labels;
}

void checkRidingParents(const StructureModel& structure) {
  const std::vector<std::string> orphans = ridingHydrogensWithoutParent(structure);
  if (orphans.empty()) return;
  std::string message = ridingHydrogensWithoutParentMessage;
  for (std::size_t i = 0; i < orphans.size(); ++i)
    message += (i == 0 ? "" : ", ") + orphans[i];
  message += ". Delete them, or undo the edit that removed their parent, and save again.";
  throw UserError(message);
}

std::string savedButNoBakMessage(const std::filesystem::path& written, std::string_view reason) {
  const std::string name = written.filename().string();
  return std::string(savedButNoBakPrefix) + name + std::string(savedButNoBakMiddle) +
         name.substr(0, name.size() - 4) + ".bak" + std::string(savedButNoBakReason) +
         std::string(reason) + std::string(savedButNoBakEnd);
}

std::filesystem::path saveInstructionFile(StructureModel& structure, Clock& clock,
                                          Dialogs& dialogs) {
  return saveInstructionFile(structure, clock, dialogs, BakCopy::Written);
}

std::filesystem::path saveInstructionFile(StructureModel& structure, Clock& clock, Dialogs& dialogs,
                                          BakCopy bak) {
  if (structure.instructionLines.empty()) throw UserError(nothingToSaveMessage);
  // Written as free atoms, riding H atoms without a parent would silently change the model (and
  // a negative Uiso would then refer to whichever atom precedes them): nothing is written.
  checkRidingParents(structure);
  std::vector<std::string> lines = instructionFileLines(structure);
  const std::filesystem::path written =
      writeInstructionFileLines(structure.currentFile, lines, 0, clock);
  structure.instructionLines[0] = lines.front();
  structure.currentFile = written.string();
  structure.fileLines = readLinesAsWritten(written);
  if (bak == BakCopy::Omitted) return written;
  try {
    writeBakCopy(written);
  } catch (const FileError& e) {
    // The save itself succeeded: saying it failed would send the user looking for a lost file.
    dialogs.message(savedButNoBakMessage(written, e.what()));
  }
  return written;
}

std::filesystem::path writeInstructionFileLines(const std::string& currentFile,
                                                std::vector<std::string>& lines,
                                                std::size_t titleRow, Clock& clock) {
  if (titleRow >= lines.size()) throw UserError(nothingToSaveMessage);
  // Planned under the lock too: two saves at once would otherwise choose the same backup number.
  const SaveLock lock(currentFile);
  const BackupPlan plan = planBackup(currentFile, lines[titleRow], clock.dateTimeText());
  std::string stamped = plan.title;
  std::swap(lines[titleRow], stamped);
  try {
    writeWithBackup(plan, lines, lock);
  } catch (...) {
    std::swap(lines[titleRow], stamped);
    throw;
  }
  return plan.target;
}

void writeBakCopy(const std::filesystem::path& written) {
  const std::string target = written.string();
  replaceFileLines(target.substr(0, target.size() - 4) + ".bak", readLinesAsWritten(written));
}

void writeExpandedInstructionFile(const StructureModel& structure,
                                  const std::filesystem::path& file,
                                  const std::vector<ExpandedRow>& rows) {
  std::vector<std::string> out;
  for (const std::string& line : structure.instructionLines) {
    if (!isFvarLine(line)) out.push_back(line);
  }
  // Without free variables FV(1) would be a stale entry: a scale factor of 1 is written instead.
  // The others go along, since the sof of a disordered atom may refer to them.
  std::vector<double> values{structure.fvarCount > 0 ? structure.fvar[1] : 1.0};
  for (int i = 2; i <= structure.fvarCount; ++i)
    values.push_back(structure.fvar[i]);
  constexpr std::size_t valuesPerCard = 6;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i % valuesPerCard == 0) out.emplace_back("FVAR");
    appendField(out.back(), text::formatFixed(values[i], 4), 12);
  }
  int part = 0;
  for (const ExpandedRow& row : rows) {
    if (row.part != part) out.push_back("PART " + std::to_string(part = row.part));
    std::string line = nameAndSfac(row.label, row.sfac);
    appendNumber(line, row.x, coordinateWidth);
    appendNumber(line, row.y, coordinateWidth);
    appendNumber(line, row.z, coordinateWidth);
    appendNumber(line, row.sof, coordinateWidth);
    appendNumber(line, row.u[0], uWidth);
    if (!row.anisotropic) {
      out.push_back(line);
      continue;
    }
    appendNumber(line, row.u[1], uWidth);
    out.push_back(line + " =");
    std::string second(labelWidth, ' ');
    for (std::size_t k = 2; k < 6; ++k)
      appendNumber(second, row.u[k], uWidth);
    out.push_back(second);
  }
  if (part != 0) out.emplace_back("PART 0");
  out.push_back(hklfOf(structure));
  // A fresh file: of the rows that stood below HKLF only its continuation goes along.
  bool continues = continuesOnNextLine(hklfOf(structure));
  for (std::size_t k = 0; continues && k < structure.hklfTrailer.size(); ++k) {
    out.push_back(structure.hklfTrailer[k]);
    continues = continuesOnNextLine(structure.hklfTrailer[k]);
  }
  out.emplace_back("END");
  replaceFileLines(file, out);
}

}  // namespace tavo::model
