// The fixture of the headless Workbench scenarios: a program folder made from data/, a working
// folder, fake dialogs and clock, a recording canvas, and clicks at atoms' pixel positions.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editing/pick.h"
#include "support/fake_dialogs.h"
#include "support/recording_canvas.h"
#include "support/temp_folder.h"
#include "workbench/workbench.h"

namespace tavo::testing {

/// Records what the Workbench asks of the window.
class RecordingListener final : public workbench::WorkbenchListener {
 public:
  struct Popup {
    workbench::PopupMenu menu;
    editing::ScreenPoint at;
  };
  std::vector<Popup> popups;
  int pictures = 0;
  bool ended = false;
  void pictureChanged() override { ++pictures; }
  void showPopupMenu(workbench::PopupMenu menu, editing::ScreenPoint at) override {
    popups.push_back({menu, at});
  }
  void endProgram() override { ended = true; }
};

class WorkbenchScenario : public ::testing::Test {
 protected:
  static constexpr int paneWidth = 800;
  static constexpr int paneHeight = 600;

  WorkbenchScenario() : m_previousFolder(std::filesystem::current_path()) {
    std::filesystem::copy(dataFolder(), program.path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    bench = makeBench(dialogs, canvas);
  }
  // The Workbench makes the working folder the current directory; the next test must not start
  // inside a folder that is about to be removed.
  ~WorkbenchScenario() override { std::filesystem::current_path(m_previousFolder); }

  /// A Workbench over the program folder with an 800 x 600 pane and the listener attached.
  std::unique_ptr<workbench::Workbench> makeBench(FakeDialogs& d, RecordingCanvas& c) {
    auto made = std::make_unique<workbench::Workbench>(d, c, clock, program.path());
    made->setListener(&listener);
    made->run([&] { made->viewCommands().resizePane(paneWidth, paneHeight); });
    return made;
  }

  /// Copies a corpus instruction file into the working folder; empty without the corpus.
  std::optional<std::filesystem::path> corpusFile(const std::string& name,
                                                  const std::string& as = "") const {
    const std::filesystem::path corpus = corpusFolder();
    if (corpus.empty() || !std::filesystem::exists(corpus / "shelxl" / name)) return {};
    const std::filesystem::path target = work.path() / (as.empty() ? name : as);
    std::filesystem::copy_file(corpus / "shelxl" / name, target,
                               std::filesystem::copy_options::overwrite_existing);
    return target;
  }

  /// Copies a file of the repository (examples/..., tests/data/...) into the working folder.
  std::filesystem::path repositoryFile(const std::string& relative,
                                       const std::string& as = "") const {
    const std::filesystem::path source = std::filesystem::path(TAVO_SOURCE_DIR) / relative;
    const std::filesystem::path target =
        work.path() / (as.empty() ? source.filename().string() : as);
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    return target;
  }

  /// Opens `file` the way `from` does: through the open dialog, a double click in the file list
  /// (of the file's folder), or the open path directly. True when a structure is loaded.
  bool openAs(const std::filesystem::path& file, workbench::OpenedFrom from) {
    switch (from) {
      case workbench::OpenedFrom::Dialog:
        dialogs.nextFile = file;
        bench->run([&] { bench->fileCommands().openByDialog(); });
        break;
      case workbench::OpenedFrom::FileList:
        std::filesystem::current_path(file.parent_path());
        bench->run([&] { bench->fileCommands().showFileList(); });
        bench->run([&] { bench->fileCommands().openFromFileList(file.filename().string()); });
        break;
      default:
        bench->run([&] { bench->fileCommands().open(file, from); });
        break;
    }
    return bench->hasStructure();
  }

  /// Our example (14 atoms, 15 H atoms, 10 peaks; PART 1 and 2) opened through the open dialog.
  bool openParaben() {
    return openAs(repositoryFile("examples/paraben.res"), workbench::OpenedFrom::Dialog);
  }

  /// The alanine structure (6 atoms, 7 H atoms, 20 peaks) opened through the open dialog.
  bool openAlanine() {
    const std::optional<std::filesystem::path> file = corpusFile("xharpy_L-Ala_iam.res", "ala.res");
    if (!file) return false;
    dialogs.nextFile = *file;
    bench->run([&] { bench->fileCommands().openByDialog(); });
    return bench->hasStructure();
  }

  /// The atom or H atom labelled `label`.
  model::AtomRef ref(const std::string& label) const {
    const model::StructureModel& s = bench->structure();
    for (int i = 1; i <= s.nonHCount; ++i) {
      if (s.atoms[i].label == label) return {model::AtomKind::Atom, i};
    }
    for (int i = 1; i <= s.hCount; ++i) {
      if (s.hydrogens[i].label == label) return {model::AtomKind::Hydrogen, i};
    }
    ADD_FAILURE() << "no atom " << label;
    return {};
  }

  /// The pixel where `atom` is drawn.
  editing::ScreenPoint pixelOf(model::AtomRef atom) const {
    const model::Vec3& p = bench->structure().viewOf(atom);
    return {bench->viewState().toScreenX(p.x), bench->viewState().toScreenY(p.y)};
  }

  /// Presses and releases a button at `at`.
  void clickAt(editing::ScreenPoint at, editing::Modifiers keys = {},
               editing::Button button = editing::Button::Left) {
    bench->run([&] { bench->modeCommands().mouseDown({at, button, keys}); });
    bench->run([&] { bench->modeCommands().mouseUp({at, button, keys}); });
  }

  /// Clicks `label` where it is drawn, after making sure nothing else lies nearer that pixel.
  void click(const std::string& label, editing::Modifiers keys = {},
             editing::Button button = editing::Button::Left) {
    const model::AtomRef atom = ref(label);
    const editing::ScreenPoint at = pixelOf(atom);
    const editing::PickResult nearest =
        editing::findNearest(bench->structure(), bench->pickGeometry(), at, {});
    ASSERT_EQ(nearest.ref, atom) << label << " is hidden by another entry at its pixel";
    clickAt(at, keys, button);
  }

  /// The labels of the Selection, in picking order.
  std::vector<std::string> selectedLabels() const {
    std::vector<std::string> labels;
    const model::StructureModel& s = bench->structure();
    for (const model::AtomRef& r : bench->selection().picked) {
      if (r.kind == model::AtomKind::Atom) labels.push_back(s.atoms[r.index].label);
      if (r.kind == model::AtomKind::Hydrogen) labels.push_back(s.hydrogens[r.index].label);
      if (r.kind == model::AtomKind::Peak) labels.push_back("Q" + std::to_string(r.index));
    }
    return labels;
  }

  TempFolder program;
  TempFolder work;
  FakeDialogs dialogs;
  FakeClock clock;
  RecordingCanvas canvas;
  RecordingListener listener;
  std::unique_ptr<workbench::Workbench> bench;

 private:
  std::filesystem::path m_previousFolder;
};

/// The one message of opening our example: its .res suggests HTAB cards, which are taken in.
inline const std::string parabenOpenMessage =
    "HTAB codes suggesed by Shelxl-2019/2 have been implemented in INS. Press cntrl E to check "
    "the details.";

/// Opens our example through the open dialog; its message is checked and cleared.
#define TAVO_OPEN_PARABEN()                                                 \
  do {                                                                      \
    ASSERT_TRUE(openParaben()) << ::testing::PrintToString(dialogs.shown);  \
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{parabenOpenMessage}); \
    dialogs.shown.clear();                                                  \
  } while (false)

/// Skips the test when the corpus is absent.
#define TAVO_OPEN_ALANINE_OR_SKIP()                                        \
  do {                                                                     \
    if (corpusFolder().empty()) GTEST_SKIP() << "no corpus folder";        \
    ASSERT_TRUE(openAlanine()) << ::testing::PrintToString(dialogs.shown); \
  } while (false)

}  // namespace tavo::testing
