// The CIF Editor (TForm10), its line editor (TForm36) and its help window (TForm35) follow the
// Workbench's window model.
#include <algorithm>

#include "app/main_window.h"
#include "app/paint_widget.h"
#include "app/windows/cif_editor_window.h"
#include "app/windows/window_set.h"
#include "workbench/workbench.h"

namespace tavo::app {

void MainWindow::refreshCifWindows() {
  const workbench::CifEditorWindow& w = m_bench.cifCommands().window();
  CifEditorWindow* editor = m_windows->cifEditor();
  editor->refresh();
  followVisibility(editor, w.visible, m_shown.cifEditor, [this, editor] {
    // No wider than the main window, as tall as the paint surface, centred over the main window.
    editor->resize(std::min(editor->width(), width()), m_paint->height());
    editor->placeCentredOver(*this);
  });
  CifLineEditorWindow* lineEditor = m_windows->cifLineEditor();
  lineEditor->refresh();
  followVisibility(lineEditor, w.visible && w.lineEditorVisible, m_shown.cifLineEditor,
                   [this, lineEditor] { lineEditor->placeCentredOver(*this); });
  AuxiliaryWindow* help = m_windows->find(QStringLiteral("TForm35"));
  followVisibility(help, w.helpVisible, m_shown.cifHelp,
                   [this, help] { help->placeAsHelpOver(*this, m_paint->height()); });
}

}  // namespace tavo::app
