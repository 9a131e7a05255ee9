// The symmetry a file brings when opened (REM SPCG, else LATT and SYMM), the space-group
// controls, the REM SPCG line saved with the file, and the group-move preview.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "geometry/cell_metrics.h"
#include "geometry/symmetry_operators.h"
#include "model/file_lines.h"
#include "workbench/control_table.h"
#include "workbench_fixture.h"

namespace tavo::testing {
namespace {

using workbench::OpenedFrom;
using workbench::SymmetrySource;

class SymmetryScenario : public WorkbenchScenario {
 protected:
  /// paraben.res with `from` replaced by `to` (each once), opened through the open dialog.
  bool openParabenEdited(const std::map<std::string, std::string>& edits,
                         const std::string& name = "paraben.res") {
    std::string content =
        readFileBytes(std::filesystem::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res");
    for (const auto& [from, to] : edits) {
      const std::size_t at = content.find(from);
      EXPECT_NE(at, std::string::npos) << from;
      if (at != std::string::npos) content.replace(at, from.size(), to);
    }
    return openAs(work.write(name, content), OpenedFrom::Dialog);
  }
  const workbench::SymmetryCommands& symmetry() const { return bench->symmetryCommands(); }
  std::vector<std::string> savedLines(const std::string& name) {
    EXPECT_TRUE(bench->run([&] { bench->fileCommands().save(); }));
    return model::loadFileLines(work.path() / name);
  }
  static int indexOf(const std::vector<std::string>& lines, const std::string& start) {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind(start, 0) == 0) return static_cast<int>(i);
    return -1;
  }
};

constexpr const char* parabenRemSpcg = "REM SPCG       P21/c   14    1\n";

TEST_F(SymmetryScenario, LattSymmOfAFileWithoutRemSpcgIsMatchedAndSavedAboveLs) {
  ASSERT_TRUE(openParabenEdited({{parabenRemSpcg, ""}}));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{parabenOpenMessage}) << "no message of ours";
  EXPECT_EQ(symmetry().source(), SymmetrySource::LattSymmMatched);
  EXPECT_EQ(symmetry().controls().name, "P21/c");
  EXPECT_FALSE(symmetry().controls().nameRed);
  EXPECT_FALSE(bench->checked(workbench::CommandId::SpaceGroup));
  const model::SymmetryOps& ops = bench->structure().symmetry;
  EXPECT_EQ(ops.spaceGroupNumber, 14);
  EXPECT_EQ(ops.opCount, 4);
  EXPECT_EQ(geometry::tripletText(geometry::seitzOf(ops, 2)), "-x,y+1/2,-z+1/2");

  const std::vector<std::string> saved = savedLines("paraben.ins");
  const int spcg = indexOf(saved, "REM SPCG");
  ASSERT_GT(spcg, 0);
  EXPECT_EQ(saved[static_cast<std::size_t>(spcg)], "REM SPCG       P21/c   14    1");
  EXPECT_EQ(saved[static_cast<std::size_t>(spcg) + 1], "L.S. 10");

  // Reopened, the line names the group and agrees with the cards: nothing to say.
  dialogs.shown.clear();
  ASSERT_TRUE(bench->run([&] { bench->fileCommands().reopen(); }));
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front();
  EXPECT_EQ(symmetry().source(), SymmetrySource::RemSpcg);
  const std::vector<std::string> again = savedLines("paraben.ins");
  EXPECT_EQ(std::vector<std::string>(again.begin() + 1, again.end()),
            std::vector<std::string>(saved.begin() + 1, saved.end()))
      << "the line is rewritten as it was";
}

TEST_F(SymmetryScenario, RemSpcgIsKeptAndADisagreementWithTheCardsIsSaidOnce) {
  ASSERT_TRUE(openParabenEdited({{parabenRemSpcg, "REM SPCG       P21/a   14    2\n"}}));
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{
                parabenOpenMessage,
                "The REM SPCG line names P21/a (group 14, setting 2), but the LATT and SYMM cards "
                "of the file describe other symmetry operators. The operators of the REM SPCG "
                "line are used."}));
  EXPECT_EQ(symmetry().source(), SymmetrySource::RemSpcg);
  EXPECT_EQ(symmetry().controls().name, "P21/a");
  EXPECT_EQ(bench->structure().symmetry.opCount, 4);
  EXPECT_EQ(geometry::tripletText(geometry::seitzOf(bench->structure().symmetry, 2)),
            "-x+1/2,y+1/2,-z");
  const std::vector<std::string> saved = savedLines("paraben.ins");
  EXPECT_EQ(saved[static_cast<std::size_t>(indexOf(saved, "UNIT")) + 1],
            "REM SPCG       P21/a   14    2")
      << "rewritten in its place and layout";
}

TEST_F(SymmetryScenario, AGroupThatCannotBeLookedUpLeavesTheLineAsItWas) {
  std::filesystem::remove(program.path() / "spcg.inf");
  ASSERT_TRUE(openParabenEdited({{parabenRemSpcg, "REM SPCG  P4mm   99    1\n"}}));
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{parabenOpenMessage,
                                      "spcg.inf file is missing in the program folder!!"}));
  // The operators come from the file's LATT and SYMM cards meanwhile.
  EXPECT_EQ(symmetry().source(), SymmetrySource::LattSymm);
  EXPECT_EQ(bench->structure().symmetry.opCount, 4);
  EXPECT_EQ(bench->structure().symmetry.spaceGroupNumber, 99);
  const std::vector<std::string> saved = savedLines("paraben.ins");
  EXPECT_EQ(saved[static_cast<std::size_t>(indexOf(saved, "UNIT")) + 1],
            "REM SPCG  P4mm   99    1");
}

TEST_F(SymmetryScenario, AFaultyRemSpcgLineIsIgnoredAndRewrittenFromTheCards) {
  struct Case {
    const char* line;
    const char* why;
  };
  for (const Case& c : {Case{"REM SPCG P21/c", "a name only"},
                        Case{"REM SPCG       P21/c   14    4", "group 14 has three settings"}}) {
    SCOPED_TRACE(c.why);
    dialogs.shown.clear();
    ASSERT_TRUE(openParabenEdited({{parabenRemSpcg, std::string(c.line) + "\n"}}));
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{parabenOpenMessage,
                                        "The line '" + std::string(c.line) +
                                            "' names no space group and setting of this program: "
                                            "it is ignored, and the space group is taken from the "
                                            "LATT and SYMM cards."}));
    EXPECT_EQ(symmetry().source(), SymmetrySource::LattSymmMatched);
    const model::StructureModel& s = bench->structure();
    EXPECT_EQ(s.instructionLines[static_cast<std::size_t>(s.markers.spcgLine)],
              "REM SPCG       P21/c   14    1")
        << "mended in place";
    EXPECT_EQ(indexOf(s.instructionLines, "REM SPCG"), s.markers.spcgLine) << "no second line";
  }
}

TEST_F(SymmetryScenario, CardsOfNoTableSettingGiveTheirOwnOperatorsAndNoRemSpcg) {
  ASSERT_TRUE(openParabenEdited(
      {{parabenRemSpcg, ""}, {"LATT 1\nSYMM -X, 0.5+Y, 0.5-Z\n", "LATT -1\nSYMM -X, -Y, Z\n"}}));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{parabenOpenMessage});
  EXPECT_EQ(symmetry().source(), SymmetrySource::LattSymm);
  EXPECT_EQ(symmetry().controls().name, "LATT/SYMM");
  EXPECT_FALSE(symmetry().controls().nameRed);
  EXPECT_TRUE(bench->checked(workbench::CommandId::SpaceGroup)) << "the user may choose";
  EXPECT_EQ(bench->structure().symmetry.opCount, 2);
  EXPECT_EQ(indexOf(savedLines("paraben.ins"), "REM SPCG"), -1);
}

TEST_F(SymmetryScenario, AnUnreadableSymmCardAsksTheUserToChoose) {
  ASSERT_TRUE(openParabenEdited({{parabenRemSpcg, ""}, {"SYMM -X, 0.5+Y, 0.5-Z", "SYMM -X, Y"}}));
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::string>{parabenOpenMessage,
                                      "SYMM -X, Y is not a symmetry operator this program can "
                                      "read: the space group is not taken from the LATT and SYMM "
                                      "cards."}));
  EXPECT_EQ(symmetry().controls().name, "Choose!!");
  EXPECT_TRUE(symmetry().controls().nameRed);
  EXPECT_TRUE(bench->checked(workbench::CommandId::SpaceGroup));
  EXPECT_EQ(bench->structure().symmetry.opCount, 1);
  EXPECT_EQ(bench->structure().markers.spcgLine, 0);
}

TEST_F(SymmetryScenario, WithoutLsTheChoiceIsNotWrittenAndTheUserIsTold) {
  ASSERT_TRUE(openParabenEdited({{parabenRemSpcg, ""}, {"L.S. 10\n", ""}}));
  EXPECT_EQ(symmetry().source(), SymmetrySource::LattSymmMatched);
  EXPECT_EQ(bench->structure().markers.spcgLine, 0);
  dialogs.shown.clear();
  bench->run([&] { workbench::setControl(*bench, "SpinEdit12", "19"); });
  EXPECT_EQ(dialogs.shown,
            std::vector<std::string>{"The space group is not recorded in the file: REM SPCG goes "
                                     "above the L.S. or CGLS line, and the file has none."});
  EXPECT_EQ(symmetry().controls().name, "P212121");
  EXPECT_EQ(indexOf(bench->structure().instructionLines, "REM SPCG"), -1);
}

TEST_F(SymmetryScenario, FullInstructionLinesKeepTheFileAsItIsAndNameCmdMax) {
  std::string limits = readFileBytes(program.path() / "array_max.inf");
  limits.replace(limits.find("500"), 3, " 21");  // 21 instruction lines without REM SPCG
  std::ofstream(program.path() / "array_max.inf", std::ios::binary) << limits;
  ASSERT_TRUE(openParabenEdited({{parabenRemSpcg, ""}}));
  ASSERT_EQ(bench->structure().lineCount(), 21);
  ASSERT_EQ(dialogs.shown.size(), 2u) << ::testing::PrintToString(dialogs.shown);
  EXPECT_NE(dialogs.shown[1].find("cmd_max"), std::string::npos) << dialogs.shown[1];
  EXPECT_EQ(symmetry().controls().name, "P21/c") << "the operators are taken all the same";
}

TEST_F(SymmetryScenario, ControlsChooseShowAndPreview) {
  TAVO_OPEN_PARABEN();
  const std::size_t lines = bench->structure().instructionLines.size();
  const auto set = [&](const char* control, const char* value) {
    ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, control, value); }));
  };
  set("SpinEdit12", "14");
  set("SpinEdit17", "3");
  const model::StructureModel& s = bench->structure();
  EXPECT_EQ(s.instructionLines[static_cast<std::size_t>(s.markers.spcgLine)],
            "REM SPCG       P21/n   14    3");
  EXPECT_EQ(s.instructionLines.size(), lines) << "overwritten in place";
  set("SpinEdit16", "2");
  set("SpinEdit13", "1");
  EXPECT_EQ(symmetry().controls().operatorText, " -X+1/2+1, Y+1/2, -Z+1/2");
  set("SpinEdit16", "1");
  set("SpinEdit13", "0");
  set("SpinEdit14", "-5");
  EXPECT_EQ(symmetry().controls().operatorText, " X, Y-3, Z") << "clamped to -3";
  set("SpinEdit12", "0");
  EXPECT_EQ(s.symmetry.spaceGroupNumber, 1);
  EXPECT_EQ(symmetry().controls().settingCount, 4);
  EXPECT_TRUE(dialogs.shown.empty());

  const int pictures = listener.pictures;
  ASSERT_TRUE(bench->run(workbench::CommandId::SpaceGroup));
  EXPECT_TRUE(bench->checked(workbench::CommandId::SpaceGroup));
  EXPECT_TRUE(symmetry().controls().visible);
  EXPECT_GT(listener.pictures, pictures) << "redrawn";
}

TEST_F(SymmetryScenario, GroupMovePreviewMovesTheViewOnlyAndIsDroppedWithTheMode) {
  TAVO_OPEN_PARABEN();
  bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::MoveGroupDefine); });
  click("O1");
  ASSERT_EQ(selectedLabels(), std::vector<std::string>{"O1"});
  const model::AtomRef o1 = ref("O1");
  const model::Vec3 before = bench->structure().viewOf(o1);
  const geometry::Fractional own = geometry::fractionalOf(bench->structure(), o1);
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "SpinEdit16", "3"); }));
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "SpinEdit13", "1"); }));
  EXPECT_TRUE(bench->state().groupMovePending);
  // -x+1, -y, -z: the view position of that point, the fractional coordinates unchanged.
  const geometry::Fractional expected{1 - own.x, -own.y, -own.z};
  const geometry::ViewFrame& frame = bench->viewFrame();
  const model::Vec3 at = bench->structure().viewOf(o1) - frame.viewSlots[9];
  const geometry::Fractional moved = geometry::viewToFractional(frame, at);
  EXPECT_NEAR(moved.x, expected.x, 1e-9);
  EXPECT_NEAR(moved.y, expected.y, 1e-9);
  EXPECT_NEAR(moved.z, expected.z, 1e-9);
  EXPECT_EQ(geometry::fractionalOf(bench->structure(), o1), own);

  // Out of the mode, the next change of the operator controls puts the atom back.
  bench->run([&] { bench->modeCommands().chooseRotate(); });
  bench->run([&] { bench->modeCommands().chooseMode(editing::MouseMode::Name); });
  ASSERT_TRUE(bench->run([&] { workbench::setControl(*bench, "SpinEdit13", "0"); }));
  EXPECT_FALSE(bench->state().groupMovePending);
  const model::Vec3 back = bench->structure().viewOf(o1);
  EXPECT_NEAR(back.x, before.x, 1e-9);
  EXPECT_NEAR(back.y, before.y, 1e-9);
  EXPECT_NEAR(back.z, before.z, 1e-9);
}

// Real files carry no REM SPCG line: each is identified from its LATT and SYMM cards.
TEST_F(SymmetryScenario, CorpusFilesAreIdentifiedFromTheirCards) {
  if (corpusFolder().empty()) GTEST_SKIP() << "no corpus folder";
  const bool spcgInf = std::filesystem::exists(program.path() / "spcg.inf");
  struct Case {
    const char* file;
    int number;  // 0: no group of the table
    const char* name;
  };
  const Case cases[] = {
      {"structurefinder_051a_p21c.res", 14, "P21/c"},
      {"shelxfile_jkd77_P21n_htab.res", 14, "P21/n"},
      {"dsr_P-1_restraints_in_atoms-erg.res", 2, "P1-"},
      {"dsr_Pbcn_part-1_resi-erg.res", 60, "Pbcn"},
      {"logbooker_dom1_mC.res", 12, "C2/m"},
      {"nosphera2_FK_dppmAu2Br2_I2a.ins", 15, "I2/a"},
      {"nosphera2_sucrose_aniso_H.res", 4, "P21"},
      {"hikari_exp_353_free_H_crlf.res", 19, "P212121"},
      {"xharpy_L-Ala_iam.res", 19, "P212121"},
      {"chmpy_acetic_acid_minimal.res", 33, "Pna21"},
      {"shelxfile_p1_twin_resi.res", 1, "P1"},
      {"hikari_NaCl_Fm-3m.res", spcgInf ? 225 : 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::optional<std::filesystem::path> file = corpusFile(c.file);
    ASSERT_TRUE(file);
    dialogs.shown.clear();
    bench->run([&] { bench->fileCommands().open(*file, OpenedFrom::Batch); });
    ASSERT_TRUE(bench->hasStructure());
    if (c.number == 0) {
      EXPECT_EQ(symmetry().source(), SymmetrySource::LattSymm);
      continue;
    }
    EXPECT_EQ(symmetry().source(), SymmetrySource::LattSymmMatched);
    EXPECT_EQ(bench->structure().symmetry.spaceGroupNumber, c.number);
    if (c.number <= 65) {
      EXPECT_EQ(symmetry().controls().name, c.name);
    }
  }

  // The chosen group is saved with the file, above L.S., and read back from there.
  bench->run([&] {
    bench->fileCommands().open(work.path() / "structurefinder_051a_p21c.res", OpenedFrom::Batch);
  });
  const std::vector<std::string> saved = savedLines("structurefinder_051a_p21c.ins");
  const int spcg = indexOf(saved, "REM SPCG");
  ASSERT_GT(spcg, 0);
  EXPECT_EQ(saved[static_cast<std::size_t>(spcg)], "REM SPCG       P21/c   14    1");
  EXPECT_TRUE(saved[static_cast<std::size_t>(spcg) + 1].rfind("L.S.", 0) == 0 ||
              saved[static_cast<std::size_t>(spcg) + 1].rfind("CGLS", 0) == 0)
      << saved[static_cast<std::size_t>(spcg) + 1];
  bench->run([&] { bench->fileCommands().reopen(); });
  EXPECT_EQ(symmetry().source(), SymmetrySource::RemSpcg);
  EXPECT_EQ(symmetry().controls().name, "P21/c");
}

}  // namespace
}  // namespace tavo::testing
