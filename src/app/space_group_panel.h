// The space-group controls of the main window (SpinEdit12, SpinEdit17, Edit2, SpinEdit16,
// SpinEdit13..15, Edit3), shown together by "Space Group" of the Params menu.
#pragma once

#include <QFrame>

#include <array>

#include "workbench/workbench.h"

class QLineEdit;
class QSpinBox;

namespace tavo::app {

/// A panel over the paint surface; its widgets forward their changes to the Workbench's
/// SymmetryCommands and follow its state.
class SpaceGroupPanel final : public QFrame {
 public:
  SpaceGroupPanel(QWidget* surface, workbench::Workbench& bench);
  /// Values, ranges, the name's colour and the visibility from the Workbench.
  void refresh();
  /// Bottom-left corner of a surface of `width` x `height`, above `bottomMargin` pixels.
  void place(int width, int height, int bottomMargin);

 private:
  workbench::Workbench& m_bench;
  QSpinBox* m_number = nullptr;              // SpinEdit12
  QSpinBox* m_setting = nullptr;             // SpinEdit17
  QLineEdit* m_name = nullptr;               // Edit2
  QSpinBox* m_operator = nullptr;            // SpinEdit16
  std::array<QSpinBox*, 3> m_translation{};  // SpinEdit13..15
  QLineEdit* m_operatorText = nullptr;       // Edit3
};

}  // namespace tavo::app
