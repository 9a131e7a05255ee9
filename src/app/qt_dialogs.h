// The Dialogs port answered by Qt message boxes, file choosers, the colour chooser and a printer.
#pragma once

#include <QString>

#include "model/dialogs.h"

class QWidget;
class QProgressDialog;
class QPlainTextEdit;

namespace tavo::app {

/// Turns the core's filter text ("*.ins;*.res", "Name|*.ins;*.res|All|*.*" or Qt's own
/// "Name (*.ins *.res)") into a Qt name filter list separated by ";;".
QString toQtFilter(std::string_view filter);

/// Shows every dialog modally over `parent`.
class QtDialogs final : public model::Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
  void setParent(QWidget* parent) { m_parent = parent; }

  void message(std::string_view text) override;
  /// Appends `text` to the message panel, once there is one; a message box before.
  void inform(std::string_view text) override;
  /// The panel of routine information (the main window's "Messages" dock).
  void setMessagePanel(QPlainTextEdit* panel) { m_panel = panel; }
  bool confirm(std::string_view question) override;
  std::optional<std::filesystem::path> chooseFileToOpen(const std::filesystem::path& folder,
                                                        std::string_view filter) override;
  std::optional<std::filesystem::path> chooseFileToSave(const std::filesystem::path& folder,
                                                        std::string_view proposedName,
                                                        std::string_view filter) override;
  std::optional<int> chooseColor(int color) override;
  bool printLines(const std::vector<std::string>& lines) override;
  /// A progress dialog with a Cancel button, shown once a computation takes longer than a
  /// moment; the events that arrive meanwhile are handled, so the window never freezes.
  bool progress(std::string_view task, int percent) override;

 private:
  QWidget* m_parent = nullptr;
  QProgressDialog* m_progress = nullptr;
  QPlainTextEdit* m_panel = nullptr;
};

}  // namespace tavo::app
