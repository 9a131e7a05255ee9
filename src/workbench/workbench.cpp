// The Workbench: state of the main window and the dispatcher of its commands.
#include "workbench/workbench.h"

#include "text/errors.h"

namespace tavo::workbench {

struct Workbench::Parts {};

Workbench::Workbench(model::Dialogs& dialogs, view::Canvas& canvas, model::Clock& clock,
                     std::filesystem::path programFolder)
    : m_dialogs(dialogs),
      m_canvas(canvas),
      m_clock(clock),
      m_programFolder(std::move(programFolder)),
      m_parts(std::make_unique<Parts>()) {}

Workbench::~Workbench() = default;

void Workbench::run(const std::function<void()>& command) {
  try {
    command();
  } catch (const UserError& e) {
    m_dialogs.message(e.what());
  }
  notifyState();
}

void Workbench::notifyState() {
  if (m_listener != nullptr) m_listener->stateChanged();
}

void Workbench::afterChange(Changes what) {
  (void)what;
}

void Workbench::redraw() {}

void Workbench::resizePane(int width, int height) {
  (void)width;
  (void)height;
}

void Workbench::openByDialog() {}

void Workbench::reopenAsRes() {}

void Workbench::reopen() {}

void Workbench::showFileList() {}

void Workbench::selectInFileList(const std::string& name) {
  (void)name;
}

void Workbench::openFromFileList(const std::string& name) {
  (void)name;
}

void Workbench::openFile(const std::filesystem::path& file) {
  (void)file;
}

void Workbench::save() {}

void Workbench::saveAllExpandedAtoms() {}

void Workbench::checkDuplicateLabels() {}

void Workbench::setDisplayFlag(DisplayFlag flag, bool on) {
  (void)flag;
  (void)on;
}

void Workbench::toggleDisplayFlag(DisplayFlag flag) {
  (void)flag;
}

bool Workbench::displayFlag(DisplayFlag flag) const {
  (void)flag;
  return false;
}

void Workbench::initializeViewItems() {}

void Workbench::initGraph() {}

void Workbench::setZoom(int value) {
  (void)value;
}

void Workbench::setSlab(int value) {
  (void)value;
}

void Workbench::setRotation(int axis, int degrees) {
  (void)axis;
  (void)degrees;
}

void Workbench::setShift(int axis, int steps) {
  (void)axis;
  (void)steps;
}

void Workbench::setShiftStepFactor(int value) {
  (void)value;
}

void Workbench::setElementNumber(int number) {
  (void)number;
}

void Workbench::mouseDown(const editing::PointerEvent& event) {
  (void)event;
}

void Workbench::mouseMove(const editing::PointerEvent& event) {
  (void)event;
}

void Workbench::mouseUp(const editing::PointerEvent& event) {
  (void)event;
}

void Workbench::doubleClick() {}

void Workbench::modePanelPressed(editing::ScreenPoint at) {
  (void)at;
}

void Workbench::chooseMode(editing::MouseMode mode) {
  (void)mode;
}

void Workbench::chooseRotate() {}

void Workbench::restoreMode() {}

void Workbench::atomMenuCenter() {}

void Workbench::atomMenuAdopt() {}

void Workbench::atomMenuDelete() {}

void Workbench::atomMenuLocate() {}

void Workbench::apply() {}

void Workbench::clearSelection() {}

void Workbench::reSelect() {}

void Workbench::reverseSelect() {}

void Workbench::clearWorkingGrid() {}

void Workbench::showHide() {}

void Workbench::setDistanceBondShown(bool on) {
  (void)on;
}

}  // namespace tavo::workbench
