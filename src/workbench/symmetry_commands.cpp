// The space-group controls, the operator field, the group-move preview and the symmetry step of
// the load.
#include "workbench/symmetry_commands.h"

#include <algorithm>
#include <cmath>

#include "editing/atom_purge.h"
#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "model/rem_spcg.h"
#include "text/errors.h"

namespace tavo::workbench {

namespace {

std::string ignoredRemSpcgMessage(const std::string& line) {
  return "The line '" + line +
         "' names no space group and setting of this program: it is ignored, and the space group "
         "is taken from the LATT and SYMM cards.";
}

std::string disagreementMessage(const model::SymmetryOps& symmetry, const std::string& name) {
  return "The REM SPCG line names " + name + " (group " +
         std::to_string(symmetry.spaceGroupNumber) + ", setting " +
         std::to_string(symmetry.settingNumber) +
         "), but the LATT and SYMM cards of the file describe other symmetry operators. The "
         "operators of the REM SPCG line are used.";
}

std::string faultySymmMessage(const std::string& text) {
  return "SYMM " + text +
         " is not a symmetry operator this program can read: the space group is not taken from "
         "the LATT and SYMM cards.";
}

std::vector<geometry::SeitzOperator> operatorsInUse(const model::SymmetryOps& symmetry) {
  std::vector<geometry::SeitzOperator> ops;
  for (int k = 1; k <= symmetry.opCount; ++k)
    ops.push_back(geometry::seitzOf(symmetry, k));
  return ops;
}

}  // namespace

std::string_view sourceText(SymmetrySource source) {
  switch (source) {
    case SymmetrySource::RemSpcg:
      return "REM SPCG";
    case SymmetrySource::LattSymmMatched:
      return "LATT/SYMM matched";
    case SymmetrySource::LattSymm:
      return "LATT/SYMM";
  }
  return "";
}

SymmetryCommands::SymmetryCommands(CommandContext context) : m_context(context) {
  m_context.state.followLoad([this] { afterRead(); });
  // A purge or reorder while a move is previewed: the preview follows its entries.
  m_context.state.followEntriesMoved([this](const editing::PurgeMap& map) {
    m_previewed = editing::remapped(map, m_previewed);
    m_previewedSelection = editing::remapped(map, m_previewedSelection);
  });
}

const geometry::SpaceGroupCatalogue& SymmetryCommands::catalogue() {
  const std::filesystem::path folder = m_context.state.settingsFolder();
  if (!m_catalogue || m_catalogueFolder != folder) {
    m_catalogue = geometry::loadSpaceGroupCatalogue(folder);
    m_catalogueFolder = folder;
  }
  return *m_catalogue;
}

void SymmetryCommands::afterRead() {
  WorkbenchState& s = m_context.state;
  m_previewed.clear();
  m_previewedSelection.clear();
  m_released = false;
  s.groupMovePending = false;
  m_controls = geometry::SpaceGroupControls{};
  model::SymmetryOps& symmetry = s.structure.symmetry;
  symmetry.resetToIdentity();
  symmetry.spaceGroupNumber = 1;
  symmetry.settingNumber = 1;
  m_source = SymmetrySource::LattSymm;

  // A file without LATT is centrosymmetric P (LATT 1), so every file has an operator set.
  const geometry::LattSymmCards cards = geometry::readLattSymm(s.structure.instructionLines);
  const std::vector<geometry::SeitzOperator> fileOperators =
      geometry::operatorsFromLattSymm(cards.latt, cards.symm);
  if (s.structure.markers.spcgLine > 0) {
    const std::string& line =
        s.structure.instructionLines[static_cast<std::size_t>(s.structure.markers.spcgLine)];
    const std::optional<model::RemSpcg> named = model::parseRemSpcgLine(line);
    const int settings = named ? catalogue().settingCount(named->number) : 0;
    if (named && (settings == 0 || named->setting <= settings)) {
      symmetry.spaceGroupNumber = named->number;
      symmetry.settingNumber = named->setting;
      chooseFromRemSpcg(cards.faulty.empty() ? fileOperators
                                             : std::vector<geometry::SeitzOperator>{});
      return;
    }
    m_context.dialogs.message(ignoredRemSpcgMessage(line));
  }
  if (!cards.faulty.empty()) {
    m_context.dialogs.message(faultySymmMessage(cards.faulty.front()));
    m_controls.visible = true;
    return;
  }
  if (chooseFromLattSymm(fileOperators)) return;
  geometry::fillSymmetryOps(symmetry, fileOperators);
  m_controls.name = std::string(geometry::lattSymmName);
  m_controls.nameRed = false;
  m_controls.operatorCount = symmetry.opCount;
  m_controls.operatorText = std::string(geometry::identityOperatorText);
  m_controls.settingCount = geometry::builtInSettingCount(1);
  m_controls.visible = true;
}

void SymmetryCommands::chooseFromRemSpcg(
    const std::vector<geometry::SeitzOperator>& fileOperators) {
  model::SymmetryOps& symmetry = m_context.state.structure.symmetry;
  m_controls.visible = false;
  m_controls.settingCount = symmetry.settingNumber;
  m_source = SymmetrySource::RemSpcg;
  const geometry::ChoiceResult result = geometry::chooseSpaceGroup(
      symmetry, m_controls, m_context.state.settingsFolder(), m_context.dialogs);
  // A group that cannot be looked up now (spcg.inf missing or without it) keeps the user's line
  // as it is rather than writing "NoInfo!" or "Choose!!" into it.
  if (result == geometry::ChoiceResult::Chosen) recordChoice(true);
  // Its operators then come from the file's own cards, so that expansion and packing still work.
  if (result != geometry::ChoiceResult::Chosen && !fileOperators.empty()) {
    geometry::fillSymmetryOps(symmetry, fileOperators);
    m_controls.operatorCount = symmetry.opCount;
    m_source = SymmetrySource::LattSymm;
    return;
  }
  if (result == geometry::ChoiceResult::Chosen && !fileOperators.empty() &&
      !geometry::sameOperatorSet(operatorsInUse(symmetry), fileOperators)) {
    m_context.dialogs.message(disagreementMessage(symmetry, m_controls.name));
  }
}

bool SymmetryCommands::chooseFromLattSymm(
    const std::vector<geometry::SeitzOperator>& fileOperators) {
  const std::optional<geometry::SpaceGroupCatalogue::Match> match = catalogue().find(fileOperators);
  if (!match) return false;
  model::SymmetryOps& symmetry = m_context.state.structure.symmetry;
  symmetry.spaceGroupNumber = match->number;
  symmetry.settingNumber = match->setting;
  const geometry::ChoiceResult result = geometry::chooseSpaceGroup(
      symmetry, m_controls, m_context.state.settingsFolder(), m_context.dialogs);
  if (result != geometry::ChoiceResult::Chosen) return false;
  m_source = SymmetrySource::LattSymmMatched;
  m_controls.visible = false;
  // A file whose instruction lines are full keeps its lines as they are: the load goes on.
  try {
    recordChoice(true);
  } catch (const UserError& e) {
    m_context.dialogs.message(e.what());
  }
  return true;
}

void SymmetryCommands::recordChoice(bool quiet) {
  WorkbenchState& s = m_context.state;
  if (s.structure.lineCount() == 0) return;  // nothing read yet
  const geometry::RemSpcgWrite written = geometry::writeRemSpcg(s.structure, m_controls.name);
  if (written == geometry::RemSpcgWrite::NoLsLine && !quiet) {
    m_context.dialogs.message(noLsLineForSpcgMessage);
  }
}

void SymmetryCommands::choose() {
  WorkbenchState& s = m_context.state;
  dropGroupMovePreview();
  geometry::chooseSpaceGroup(s.structure.symmetry, m_controls, s.settingsFolder(),
                             m_context.dialogs);
  m_source = SymmetrySource::RemSpcg;
  recordChoice(false);
}

void SymmetryCommands::toggleControls() {
  m_controls.visible = !m_controls.visible;
  m_context.state.afterChange({.bonds = false});
}

void SymmetryCommands::setGroupNumber(int number) {
  m_context.state.structure.symmetry.spaceGroupNumber = groupNumberRange.clamp(number);
  choose();
}

void SymmetryCommands::setSetting(int setting) {
  m_context.state.structure.symmetry.settingNumber =
      std::clamp(setting, 1, std::max(m_controls.settingCount, 1));
  choose();
}

void SymmetryCommands::setOperatorNumber(int k) {
  m_controls.operatorNumber = std::clamp(k, 1, std::max(m_controls.operatorCount, 1));
  showOperator();
}

void SymmetryCommands::setTranslation(int axis, int cells) {
  m_controls.translation.at(static_cast<std::size_t>(axis - 1)) = translationRange.clamp(cells);
  showOperator();
}

void SymmetryCommands::showOperator() {
  WorkbenchState& s = m_context.state;
  const auto& t = m_controls.translation;
  m_controls.operatorText =
      geometry::operatorText(s.structure.symmetry, m_controls.operatorNumber, t[0], t[1], t[2]);
  if (s.loaded && s.modes.moveGroup() && !s.selection.empty()) {
    previewGroupMove();
  } else {
    dropGroupMovePreview();
  }
}

void SymmetryCommands::previewGroupMove() {
  WorkbenchState& s = m_context.state;
  // Atoms of an earlier preview that are no longer selected go back first.
  dropGroupMovePreview();
  const geometry::ViewFrame& frame = s.frame;
  const auto& t = m_controls.translation;
  // Riding H atoms go with their parents: SHELXL would build them from where they stand.
  const std::vector<model::AtomRef> members =
      editing::groupMembers(s.structure, s.selection.picked);
  for (const model::AtomRef ref : members) {
    const geometry::Fractional moved =
        geometry::applyOperator(s.structure.symmetry, m_controls.operatorNumber,
                                geometry::fractionalOf(s.structure, ref), t[0], t[1], t[2]);
    s.structure.viewOf(ref) = frame.viewSlots[geometry::fractionalOriginSlot] +
                              moved.x * frame.edgeA() + moved.y * frame.edgeB() +
                              moved.z * frame.edgeC();
  }
  m_previewed = members;
  m_previewedSelection = s.selection.picked;
  m_released = false;
  s.groupMovePending = true;
  s.afterChange({});
}

void SymmetryCommands::dropGroupMovePreview() {
  WorkbenchState& s = m_context.state;
  if (!s.groupMovePending) return;
  const geometry::ViewFrame& frame = s.frame;
  for (const model::AtomRef ref : m_previewed) {
    const geometry::Fractional own = geometry::fractionalOf(s.structure, ref);
    s.structure.viewOf(ref) = frame.viewSlots[geometry::fractionalOriginSlot] +
                              own.x * frame.edgeA() + own.y * frame.edgeB() + own.z * frame.edgeC();
  }
  m_previewed.clear();
  s.groupMovePending = false;
  s.afterChange({});
}

editing::GroupPlacement SymmetryCommands::shownPlacement() const {
  const auto& t = m_controls.translation;
  return {m_controls.operatorNumber, t[0], t[1], t[2]};
}

void SymmetryCommands::showPlacement(const editing::GroupPlacement& placement) {
  m_controls.operatorNumber = std::clamp(placement.op, 1, std::max(m_controls.operatorCount, 1));
  m_controls.translation = {translationRange.clamp(placement.ta),
                            translationRange.clamp(placement.tb),
                            translationRange.clamp(placement.tc)};
  showOperator();
}

void SymmetryCommands::groupMoveCommitted() {
  m_previewed.clear();
  m_previewedSelection.clear();
  m_context.state.groupMovePending = false;
}

bool SymmetryCommands::previewShown() const {
  const WorkbenchState& s = m_context.state;
  const editing::GroupPlacement p = shownPlacement();
  try {
    for (const model::AtomRef ref : m_previewed) {
      const geometry::Fractional moved = geometry::applyOperator(
          s.structure.symmetry, p.op, geometry::fractionalOf(s.structure, ref), p.ta, p.tb, p.tc);
      const geometry::Fractional shown =
          geometry::fractionalOfViewPosition(s.frame, s.structure.viewOf(ref));
      if (std::abs(shown.x - moved.x) + std::abs(shown.y - moved.y) + std::abs(shown.z - moved.z) >
          1e-6)
        return false;
    }
  } catch (const UserError&) {
    return false;  // a frame without volume shows nothing of the preview
  }
  return true;
}

void SymmetryCommands::keepGroupMoveInStep() {
  WorkbenchState& s = m_context.state;
  if (!s.groupMovePending) return;
  if (!s.modes.moveGroup() || s.selection.picked != m_previewedSelection) {
    dropGroupMovePreview();
    m_released = true;
  } else if (!previewShown()) {
    dropGroupMovePreview();
  }
}

}  // namespace tavo::workbench
