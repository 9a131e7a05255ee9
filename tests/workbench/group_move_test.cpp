// The group move of the MoveGrp mode on our example: the search of the placement, "UpdtGMv" with
// the Uij turned, "UndoGMv", the refusals, and the preview put back when its Selection or mode
// goes.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "geometry/cell_metrics.h"
#include "model/file_lines.h"
#include "workbench/control_table.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using editing::MouseMode;

class GroupMoveScenario : public WorkbenchScenario {
 protected:
  /// paraben.res with each `from` replaced by `to`, opened through the open dialog.
  void openParabenEdited(const std::map<std::string, std::string>& edits) {
    std::string content =
        readFileBytes(std::filesystem::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res");
    for (const auto& [from, to] : edits) {
      const std::size_t at = content.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      content.replace(at, from.size(), to);
    }
    ASSERT_TRUE(openAs(work.write("paraben.res", content), workbench::OpenedFrom::Dialog));
    dialogs.shown.clear();
  }
  void set(const char* control, int value) {
    ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, control, std::to_string(value)); }));
  }
  void mode(MouseMode m) {
    bench->run([&] { bench->modeCommands().chooseMode(m); });
  }
  void apply() {
    bench->run([&] { bench->modeCommands().apply(); });
  }
  void update() {
    bench->run([&] { bench->groupMove().commitMove(); });
  }
  void undoMove() {
    bench->run([&] { bench->groupMove().dropMove(); });
  }
  geometry::Fractional own(const std::string& label) const {
    return geometry::fractionalOf(bench->structure(), ref(label));
  }
  /// Where `label` is drawn, as fractional coordinates.
  geometry::Fractional shown(const std::string& label) const {
    return geometry::fractionalOfViewPosition(bench->viewFrame(),
                                              bench->structure().viewOf(ref(label)));
  }
  editing::GroupPlacement placement() const { return bench->symmetryCommands().shownPlacement(); }
  bool pending() const { return bench->state().groupMovePending; }
};

void expectAt(const geometry::Fractional& got, const geometry::Fractional& want, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_NEAR(got.x, want.x, 1e-9);
  EXPECT_NEAR(got.y, want.y, 1e-9);
  EXPECT_NEAR(got.z, want.z, 1e-9);
}

const geometry::Fractional o1{0.677422, 0.494081, 0.987920};
const geometry::Fractional h1{0.740399, 0.547279, 1.031120};

// -x+2, y+1/2, -z+1/2+1: operator 2 of P21/c with ta = 2, tc = 1.
geometry::Fractional movedByOperatorTwo(const geometry::Fractional& p) {
  return {2 - p.x, p.y + 0.5, 1.5 - p.z};
}

TEST_F(GroupMoveScenario, SearchCommitAndUndoMoveTheGroupWithItsRidingHydrogen) {
  TAVO_OPEN_PARABEN();
  mode(MouseMode::MoveGroupDefine);
  click("O1");

  // Without a destination the group goes nearest the centroid of the other atoms: for O1 that is
  // its image by x, -y+1/2, z+1/2-1 (4.31 A away, O1 itself is 5.05 A away; gemmi agrees).
  apply();
  EXPECT_EQ(placement(), (editing::GroupPlacement{4, 0, 0, -1}));
  EXPECT_TRUE(pending());
  expectAt(shown("O1"), {0.677422, 0.005919, 0.48792}, "O1 previewed");
  expectAt(shown("H1"), {0.740399, -0.047279, 0.53112}, "H1 previewed with its parent");
  expectAt(own("O1"), o1, "the model unchanged");
  undoMove();
  EXPECT_FALSE(pending());
  expectAt(shown("O1"), o1, "the preview undone");
  expectAt(shown("H1"), h1, "H1 too");

  // A placement typed into the operator controls moves O1 and its riding H1 in the view only.
  set("SpinEdit16", 2);
  set("SpinEdit13", 2);
  set("SpinEdit15", 1);
  expectAt(shown("O1"), movedByOperatorTwo(o1), "O1 previewed");
  expectAt(shown("H1"), movedByOperatorTwo(h1), "H1 previewed");

  update();
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
  EXPECT_FALSE(pending());
  expectAt(own("O1"), movedByOperatorTwo(o1), "O1 committed");
  expectAt(own("H1"), movedByOperatorTwo(h1), "H1 committed");
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"O1"}) << "the Selection is kept";
  EXPECT_EQ(bench->state().undo.undoName(), "Move Group");
  // The twofold axis along b of a monoclinic cell: U13 keeps its sign, U12 and U23 change it.
  const model::Atom& moved = bench->structure().atoms[ref("O1").index];
  EXPECT_NEAR(moved.u11, 0.04786, 1e-12);
  EXPECT_NEAR(moved.u22, 0.06996, 1e-12);
  EXPECT_NEAR(moved.u33, 0.03898, 1e-12);
  EXPECT_NEAR(moved.u23, 0.00145, 1e-12);
  EXPECT_NEAR(moved.u13, 0.00887, 1e-12);
  EXPECT_NEAR(moved.u12, 0.00184, 1e-12);

  // A second press has nothing pending: nothing happens, no message.
  update();
  undoMove();
  EXPECT_TRUE(dialogs.shown.empty());
  expectAt(own("O1"), movedByOperatorTwo(o1), "still committed");

  // With C4 as the destination (Dst keeps the group picked under Grp), the search finds the
  // placement that brings the group back next to it; UndoGMv drops that preview.
  mode(MouseMode::MoveGroupDestination);
  EXPECT_EQ(selectedLabels(), std::vector<std::string>{"O1"});
  click("C4");
  ASSERT_EQ(bench->selection().reversed, std::vector<model::AtomRef>{ref("C4")});
  apply();
  EXPECT_EQ(placement(), (editing::GroupPlacement{2, 2, -1, 1}));
  EXPECT_EQ(bench->symmetryCommands().controls().operatorText, " -X+2, Y+1/2-1, -Z+1/2+1");
  expectAt(shown("O1"), o1, "previewed back at its place");
  expectAt(shown("H1"), h1, "H1 with it");
  undoMove();
  EXPECT_FALSE(pending());
  expectAt(shown("O1"), movedByOperatorTwo(o1), "the preview undone");
  expectAt(own("O1"), movedByOperatorTwo(o1), "the model never changed");
  EXPECT_TRUE(dialogs.shown.empty());

  // "Undo Last Edit" takes the commit back as one step.
  ASSERT_TRUE(bench->run(workbench::CommandId::UndoLastEdit));
  expectAt(own("O1"), o1, "O1 back");
  expectAt(own("H1"), h1, "H1 back");
  EXPECT_NEAR(bench->structure().atoms[ref("O1").index].u23, -0.00145, 1e-12);
}

TEST_F(GroupMoveScenario, APreviewIsPutBackWhenItsSelectionOrModeGoes) {
  struct Case {
    const char* why;
    std::function<void()> leave;
    bool released;  // UpdtGMv and UndoGMv then say why nothing happens
  };
  const Case cases[] = {
      {"ClearSel", [&] { bench->run([&] { bench->modeCommands().clearSelection(); }); }, true},
      {"another atom picked", [&] { click("C1"); }, true},
      {"another mode", [&] { mode(MouseMode::Name); }, true},
      {"the last edit undone", [&] { bench->run(workbench::CommandId::UndoLastEdit); }, true},
      {"a view reset",
       [&] {
         bench->run([&] {
           bench->state().initGraphics();
           bench->state().afterChange({.resetView = true});
         });
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    TAVO_OPEN_PARABEN();
    // One edit to undo in the undo case.
    mode(MouseMode::BeIso);
    click("O2");
    apply();
    mode(MouseMode::MoveGroupDefine);
    click("O1");
    set("SpinEdit16", 3);
    set("SpinEdit14", 1);
    ASSERT_TRUE(pending());
    c.leave();
    EXPECT_FALSE(pending());
    expectAt(shown("O1"), o1, "drawn where the file has it");
    expectAt(shown("H1"), h1, "its riding H atom too");
    update();
    undoMove();
    const std::vector<std::string> messages =
        c.released ? std::vector<std::string>{"Please update the group shifts while they are "
                                              "selected!",
                                              "Cannot undo after the selection is released!!"}
                   : std::vector<std::string>{};
    EXPECT_EQ(dialogs.shown, messages);
    expectAt(own("O1"), o1, "nothing moved");
    dialogs.shown.clear();
  }
}

TEST_F(GroupMoveScenario, APreviewStaysThroughTurnsShiftsAndZoomOfTheView) {
  TAVO_OPEN_PARABEN();
  mode(MouseMode::MoveGroupDefine);
  click("O1");
  set("SpinEdit16", 2);
  set("SpinEdit13", 2);
  set("SpinEdit15", 1);
  set("SpinEdit2", 40);   // RotX
  set("SpinEdit4", -25);  // RotZ
  set("SpinEdit8", 30);   // ShiftX
  set("SpinEdit1", 150);  // Zoom
  bench->run([&] { bench->modeCommands().chooseRotate(); });
  bench->run([&] { bench->modeCommands().chooseRotate(); });
  ASSERT_TRUE(pending());
  expectAt(shown("O1"), movedByOperatorTwo(o1), "still previewed");
  update();
  EXPECT_TRUE(dialogs.shown.empty());
  expectAt(own("O1"), movedByOperatorTwo(o1), "committed as shown");
}

TEST_F(GroupMoveScenario, ACommitTheFileCouldNotHoldIsRefusedWholly) {
  struct Case {
    std::map<std::string, std::string> edits;
    int op, ta;
    const char* message;
  };
  const Case cases[] = {
      {{{"0.740399", "2.740399"}},
       1,
       3,
       "The coordinate H1 x would become 5.740399, which SHELXL would read as a fixed value: "
       "coordinates must stay inside (-5, 5). Nothing was moved."},
      {{{"0.677422", "2.677422"}},
       1,
       3,
       "The coordinate O1 x would become 5.677422, which SHELXL would read as a fixed value: "
       "coordinates must stay inside (-5, 5). Nothing was moved."},
      {{{"-0.00145", "21.00000"}},
       2,
       0,
       "The U23 of O1 is tied to a free variable and would keep its old value in the file while "
       "the atom turns: untie it first. Nothing was moved."},
      {{{"0.494081", "20.50000"}},
       3,
       0,
       "The coordinate O1 y is tied to a free variable and would be written as its code, not at "
       "the new position: untie it first. Nothing was moved."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    openParabenEdited(c.edits);
    mode(MouseMode::MoveGroupDefine);
    click("O1");
    const geometry::Fractional before = own("O1");
    const geometry::Fractional riderBefore = own("H1");
    set("SpinEdit16", c.op);
    set("SpinEdit13", c.ta);
    update();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{c.message});
    dialogs.shown.clear();
    expectAt(own("O1"), before, "O1 kept");
    expectAt(own("H1"), riderBefore, "H1 kept");
    EXPECT_TRUE(pending()) << "the preview stays to be changed or undone";
    EXPECT_FALSE(bench->state().undo.canUndo());
  }
}

TEST_F(GroupMoveScenario, AGroupAlreadyInPlaceStaysAndAGroupOfEveryAtomNeedsADestination) {
  TAVO_OPEN_PARABEN();
  mode(MouseMode::MoveGroupDefine);
  click("C1");
  apply();
  EXPECT_EQ(placement(), (editing::GroupPlacement{1, 0, 0, 0}));
  EXPECT_EQ(bench->symmetryCommands().controls().operatorText, " X, Y, Z");
  expectAt(shown("C1"), own("C1"), "not moved");
  bench->run([&] { bench->modeCommands().clearSelection(); });

  click("O1");
  bench->run([&] { bench->modeCommands().reverseSelect(); });
  click("O1");
  apply();
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"Every atom belongs to the group: pick a destination atom "
                                     "(Define Dstntn.) or leave atoms out of the group."});
  EXPECT_FALSE(pending());
}

}  // namespace
}  // namespace tavo::testing
