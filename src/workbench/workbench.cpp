// The Workbench: construction of the features and the dispatcher.
#include "workbench/workbench.h"

#include "text/errors.h"

namespace tavo::workbench {

Workbench::Workbench(model::Dialogs& dialogs, view::Canvas& canvas, model::Clock& clock,
                     std::filesystem::path programFolder)
    : m_dialogs(dialogs),
      m_state(dialogs, canvas, clock, std::move(programFolder)),
      m_files({m_state, dialogs, clock}),
      m_view({m_state, dialogs, clock}),
      m_modes({m_state, dialogs, clock}),
      m_expansion({m_state, dialogs, clock}),
      m_preferences({m_state, dialogs, clock}),
      m_workingGrids({m_state, dialogs, clock}),
      m_symmetry({m_state, dialogs, clock}),
      m_jobControl({m_state, dialogs, clock}),
      m_freeVariables({m_state, dialogs, clock}),
      m_formula({m_state, dialogs, clock}),
      m_listing({m_state, dialogs, clock}),
      m_atomEdits({m_state, dialogs, clock}),
      m_cards({m_state, dialogs, clock}),
      m_importExport({m_state, dialogs, clock}),
      m_peaks({m_state, dialogs, clock}),
      m_globalEdition({m_state, dialogs, clock}),
      m_parameters({m_state, dialogs, clock}),
      m_cif({m_state, dialogs, clock}),
      m_locate({m_state, dialogs, clock}),
      m_geometry({m_state, dialogs, clock}),
      m_groupMove({m_state, dialogs, clock}, m_symmetry),
      m_atomList({m_state, dialogs, clock}),
      m_density({m_state, dialogs, clock}),
      m_orientation({m_state, dialogs, clock}),
      m_desktop({m_state, dialogs, clock}, m_files, m_importExport, m_orientation),
      m_partCommands({m_state, dialogs, clock}),
      m_refinement({m_state, dialogs, clock}, m_files) {
  m_importExport.attachFiles(m_files);
  m_importExport.attachSymmetry(m_symmetry);
  m_state.attachPreferences(m_preferences);
  m_modes.attachAtomEdits(m_atomEdits);
  m_modes.attachCards(m_cards);
  m_view.attachExpansion(m_expansion);
  m_parameters.attachSymmetry(m_symmetry);
  m_modes.attachParameters(m_parameters);
  m_locate.attachModes(m_modes);
  m_locate.attachAtomEdits(m_atomEdits);
  m_locate.attachView(m_view);
  m_modes.attachLocate(m_locate);
  m_modes.attachGeometry(m_geometry);
  m_modes.attachGroupMove(m_groupMove);
  m_windows = declareWindows();
}

const WindowDeclaration* Workbench::findWindow(std::string_view name) const {
  for (const WindowDeclaration& window : m_windows) {
    if (window.name == name) return &window;
  }
  return nullptr;
}

bool Workbench::operateWindow(std::string_view name, const std::vector<std::string>& words,
                              std::vector<std::string>* printed) {
  return run([this, name, &words, printed] {
    const WindowDeclaration* window = findWindow(name);
    if (window == nullptr) throw UserError("there is no window \"" + std::string(name) + "\"");
    const WindowCall call = resolveWindowCall(*window, words);
    if (call.control == nullptr) {
      if (printed != nullptr) {
        for (std::string& line : window->print())
          printed->push_back(std::move(line));
      }
      return;
    }
    (call.doubleClick ? call.control->doubleClick : call.control->act)(call.values);
  });
}

bool Workbench::run(const std::function<void()>& command) {
  bool completed = false;
  try {
    command();
    completed = true;
  } catch (const UserError& e) {
    m_dialogs.message(e.what());
  } catch (const std::filesystem::filesystem_error& e) {
    m_dialogs.message(e.what());
  } catch (const CommandAbandoned&) {
  } catch (const ProgramEnds&) {
  }
  // A previewed group move is shown only for the Selection and mode it was made for.
  m_symmetry.keepGroupMoveInStep();
  m_state.notifyState();
  return completed;
}

}  // namespace tavo::workbench
