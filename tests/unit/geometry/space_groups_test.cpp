// The built-in space-group table, spcg.inf, the choice of a group and its identification from
// LATT and SYMM cards.
#include "geometry/space_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "geometry/spcg_file.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace tavo::geometry {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

SeitzOperator compose(const SeitzOperator& a, const SeitzOperator& b) {
  SeitzOperator c;
  for (std::size_t i = 0; i < 3; ++i) {
    c.t[i] = a.t[i];
    for (std::size_t j = 0; j < 3; ++j) {
      c.r[3 * i + j] = 0;
      for (std::size_t k = 0; k < 3; ++k)
        c.r[3 * i + j] += a.r[3 * i + k] * b.r[3 * k + j];
      c.t[i] += a.r[3 * i + j] * b.t[j];
    }
  }
  return c.reduced();
}

std::vector<std::string> triplets(const model::SymmetryOps& ops) {
  std::vector<std::string> texts;
  for (int k = 1; k <= ops.opCount; ++k)
    texts.push_back(tripletText(seitzOf(ops, k)));
  return texts;
}

TEST(SpaceGroupTable, EverySettingIsAGroupWithTheIdentityFirst) {
  int settings = 0;
  for (int number = 1; number <= highestBuiltInGroup; ++number) {
    ASSERT_GE(builtInSettingCount(number), 1) << number;
    for (int s = 1; s <= builtInSettingCount(number); ++s) {
      const SpaceGroupSetting g = findBuiltInSetting(number, s).value();
      SCOPED_TRACE(g.name);
      ++settings;
      const std::vector<SeitzOperator> ops = seitzOperators(g);
      EXPECT_EQ(ops.front(), SeitzOperator{});
      const std::set<SeitzOperator> set(ops.begin(), ops.end());
      EXPECT_EQ(set.size(), ops.size()) << "no operator twice";
      // A typing error in an operator shows as a product outside the set.
      for (const SeitzOperator& a : ops)
        for (const SeitzOperator& b : ops)
          ASSERT_TRUE(set.count(compose(a, b))) << tripletText(a) << " * " << tripletText(b);
      EXPECT_LE(g.name.size(), 12u);
      EXPECT_EQ(g.translationUnit, g.name == "Fdd2" ? 0.25 : 0.5);
    }
  }
  EXPECT_EQ(settings, 79);
  EXPECT_FALSE(findBuiltInSetting(1, 5));
  EXPECT_FALSE(findBuiltInSetting(66, 1));
  EXPECT_EQ(builtInSettingCount(66), 0);
}

TEST(SpaceGroupTable, NamesOrderAndCentringAsListed) {
  std::vector<std::string> group1;
  for (int s = 1; s <= builtInSettingCount(1); ++s)
    group1.push_back(findBuiltInSetting(1, s)->name);
  EXPECT_EQ(group1, (std::vector<std::string>{"P1", "C1", "F1", "I1"}));
  EXPECT_EQ(builtInSettingCount(2), 1);
  EXPECT_EQ(findBuiltInSetting(2, 1)->name, "P1-");

  model::SymmetryOps ops;
  applySetting(ops, findBuiltInSetting(15, 1).value());
  EXPECT_EQ(triplets(ops), (std::vector<std::string>{
                               "x,y,z", "-x,y,-z+1/2", "-x,-y,-z", "x,-y,z+1/2", "x+1/2,y+1/2,z",
                               "-x+1/2,y+1/2,-z+1/2", "-x+1/2,-y+1/2,-z", "x+1/2,-y+1/2,z+1/2"}));
  applySetting(ops, findBuiltInSetting(24, 1).value());
  const std::vector<std::string> i212121 = triplets(ops);
  EXPECT_EQ(
      std::vector<std::string>(i212121.begin() + 4, i212121.end()),
      (std::vector<std::string>{"x+1/2,y+1/2,z+1/2", "-x,-y+1/2,z", "x,-y,-z+1/2", "-x+1/2,y,-z"}));
  // F centring: (0,1/2,1/2), then (1/2,0,1/2), then (1/2,1/2,0).
  applySetting(ops, findBuiltInSetting(1, 3).value());
  EXPECT_EQ(triplets(ops),
            (std::vector<std::string>{"x,y,z", "x,y+1/2,z+1/2", "x+1/2,y,z+1/2", "x+1/2,y+1/2,z"}));
  // Fdd2 counts translations in quarters.
  applySetting(ops, findBuiltInSetting(43, 1).value());
  EXPECT_EQ(ops.opCount, 16);
  EXPECT_EQ(ops.translationUnitText, "1/4");
  EXPECT_EQ(tripletText(seitzOf(ops, 7)), "-x+1/4,y+3/4,z+3/4");
  EXPECT_EQ(operatorText(ops, 7, 0, 0, 0), " -X+1/4, Y+3*1/4, Z+3*1/4");
  EXPECT_EQ((std::array<int, 4>{ops.ops[7][4], ops.ops[7][5], ops.ops[7][6], ops.ops[7][7]}),
            (std::array<int, 4>{0, 1, 0, 3}));
}

struct Chooser {
  model::SymmetryOps symmetry;
  SpaceGroupControls controls;
  FakeDialogs dialogs;
  TempFolder folder;
  ChoiceResult choose(int number, int setting) {
    symmetry.spaceGroupNumber = number;
    symmetry.settingNumber = setting;
    return chooseSpaceGroup(symmetry, controls, folder.path(), dialogs);
  }
};

TEST(ChooseSpaceGroup, BuiltInGroupFillsTheOperatorsAndControls) {
  Chooser c;
  c.symmetry.resetToIdentity();
  c.controls.operatorNumber = 3;
  c.controls.translation = {1, -2, 3};
  ASSERT_EQ(c.choose(14, 1), ChoiceResult::Chosen);
  EXPECT_EQ(c.symmetry.opCount, 4);
  EXPECT_EQ(tripletText(seitzOf(c.symmetry, 2)), "-x,y+1/2,-z+1/2");
  EXPECT_EQ(c.controls.name, "P21/c");
  EXPECT_FALSE(c.controls.nameRed);
  EXPECT_EQ(c.controls.settingCount, 3);
  EXPECT_EQ(c.controls.operatorCount, 4);
  EXPECT_EQ(c.controls.operatorNumber, 1);
  EXPECT_EQ(c.controls.translation, (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(c.controls.operatorText, " X,Y,Z");
  EXPECT_TRUE(c.dialogs.shown.empty());

  // A setting beyond the new group's settings is brought into its range, so the name, count and
  // operators always belong to one setting.
  struct Case {
    int number, setting, expectedSetting;
    const char* name;
  };
  for (const Case& k : {Case{5, 3, 2, "I2"}, Case{19, 3, 1, "P212121"}, Case{2, 4, 1, "P1-"},
                        Case{1, 4, 4, "I1"}}) {
    ASSERT_EQ(c.choose(k.number, k.setting), ChoiceResult::Chosen);
    EXPECT_EQ(c.symmetry.settingNumber, k.expectedSetting) << k.name;
    EXPECT_EQ(c.controls.name, k.name);
  }
}

constexpr std::string_view smallSpcg =
    "#75\n"
    "1\n"
    "$1\n"
    "P4  4  0.5  1/2\n"
    " 1  0  0  0   0  1  0  0   0  0  1  0\n"
    "-1  0  0  0   0 -1  0  0   0  0  1  0\n"
    " 0 -1  0  0   1  0  0  0   0  0  1  0\n"
    " 0  1  0  0  -1  0  0  0   0  0  1  0\n"
    "SEND\n"
    "END\n"
    "#76\n"
    "2\n"
    "$1\n"
    "P41  4  0.25  1/4\n"
    " 1  0  0  0   0  1  0  0   0  0  1  0\n"
    "-1  0  0  0   0 -1  0  0   0  0  1  2\n"
    " 0 -1  0  0   1  0  0  0   0  0  1  1\n"
    " 0  1  0  0  -1  0  0  0   0  0  1  3\n"
    "SEND\n"
    "END\n"
    "#77\n"
    "1\n"
    "END\n"
    "#78\n"
    "1\n"
    "$1\n"
    "P43  4  0.25  1/4\n"
    " 1  0  0  0   0  1  0  0   0  0  1  0\n"
    "SEND\n"
    "END\n"
    "#79\n"
    "1\n"
    "$1\n"
    "I4  200  0.5  1/2\n"
    "SEND\n"
    "END\n"
    "#81\n"
    "2\n"
    "$1\n"
    "P4a  1  0.5  1/2\n"
    " 1  0  0  0   0  1  0  0   0  0  1  0\n"
    "SEND\n"
    "END\n"
    "#82\n"
    "2\n"
    "$2\n"
    "Q  1  0.5  1/2\n"
    " 1  0  0  0   0  1  0  0   0  0  1  0\n"
    "SEND\n"
    "END\n"
    "#80\n"
    "1\n"
    "$1\n"
    "I41  1  0.25  1/4\n"
    " 1  0  0  0   0  1  0  0   0  0  1  0\n"
    "SEND\n";

TEST(ChooseSpaceGroup, AboveSixtyFiveFromSpcgInf) {
  Chooser c;
  c.symmetry.resetToIdentity();
  EXPECT_EQ(c.choose(75, 1), ChoiceResult::Unchanged);
  EXPECT_EQ(c.dialogs.shown,
            (std::vector<std::string>{"spcg.inf file is missing in the program folder!!"}));
  EXPECT_EQ(c.controls.name, "Choose!!") << "the name stays as it was";
  EXPECT_EQ(c.symmetry.opCount, 1);

  c.folder.write("spcg.inf", smallSpcg);
  c.dialogs.shown.clear();
  ASSERT_EQ(c.choose(76, 2), ChoiceResult::Unchanged) << "no $2 in the block";
  EXPECT_EQ(c.controls.settingCount, 2);
  EXPECT_EQ(c.controls.name, "NoInfo!");
  ASSERT_EQ(c.choose(76, 1), ChoiceResult::Chosen);
  EXPECT_EQ(c.controls.name, "P41");
  EXPECT_EQ(c.symmetry.opCount, 4);
  EXPECT_EQ(c.symmetry.translationUnit, 0.25);
  EXPECT_EQ(operatorText(c.symmetry, 4, 0, 0, 0), " Y, -X, Z+3*1/4");
  EXPECT_EQ(c.controls.operatorCount, 4);
  ASSERT_EQ(c.choose(75, 3), ChoiceResult::Chosen) << "the setting is kept within 1..k";
  EXPECT_EQ(c.symmetry.settingNumber, 1);
  EXPECT_EQ(c.controls.name, "P4");
  EXPECT_TRUE(c.dialogs.shown.empty());

  struct Case {
    int number, setting;
    const char* message;  // "" for none
    const char* why;
  };
  const Case failures[] = {
      {90, 1, "", "no such group"},
      {77, 1, "", "no setting block"},
      {80, 1, "", "no END after the group"},
      {81, 2, "", "the $2 line of the next group's block is not taken"},
      {78, 1, "Mistake found in the spcg.inf file for this space group!", "fewer operator lines"},
      {79, 1,
       "spcg.inf: setting 1 of space group 79 (I4) lists 200 operators, more than the 192 this "
       "program holds; the setting is not used.",
       "more operators than SymmetryOps holds"},
  };
  for (const Case& f : failures) {
    SCOPED_TRACE(f.why);
    c.dialogs.shown.clear();
    c.controls.name = "P4";
    EXPECT_EQ(c.choose(f.number, f.setting), ChoiceResult::Unchanged);
    EXPECT_EQ(c.controls.name, "NoInfo!");
    EXPECT_EQ(c.symmetry.opCount, 4) << "the operators of the last choice stay";
    EXPECT_EQ(c.symmetry.translationUnit, 0.5);
    EXPECT_EQ(c.dialogs.shown,
              *f.message ? std::vector<std::string>{f.message} : std::vector<std::string>{});
  }
}

TEST(SpcgFile, CountsUpTo192AreRead) {
  std::string file = "#225\n1\n$1\nFm3-m  192  0.5  1/2\n";
  for (int i = 0; i < 192; ++i)
    file += "1 0 0 0 0 1 0 0 0 0 1 0\n";
  file += "SEND\nEND\n";
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = file.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(file.substr(at, end - at));
  const SpcgLookup found = lookUpSpcg(lines, 225, 1);
  ASSERT_EQ(found.status, SpcgStatus::Found);
  EXPECT_EQ(found.setting.ops.size(), 192u);
  EXPECT_EQ(readSpcgSettings(lines).size(), 1u);
}

// The LATT and SYMM cards SHELXL would be given for a setting: LATT from the centring and the
// inversion at the origin, SYMM for the operators that neither the identity, the inversion nor
// the centring give.
LattSymmCards cardsOf(const SpaceGroupSetting& g) {
  const std::vector<SeitzOperator> all = seitzOperators(g);
  const auto has = [&all](const SeitzOperator& op) {
    return std::find(all.begin(), all.end(), op.reduced()) != all.end();
  };
  SeitzOperator inversion;
  inversion.r = {-1, 0, 0, 0, -1, 0, 0, 0, -1};
  const bool centric = has(inversion);
  int type = 1;
  for (const auto& [latt, vector] : std::vector<std::pair<int, std::array<int, 3>>>{
           {2, {6, 6, 6}}, {4, {0, 6, 6}}, {5, {0, 6, 6}}, {7, {6, 6, 0}}}) {
    SeitzOperator shift;
    shift.t = vector;
    if (has(shift) && type == 1) type = latt;
  }
  if (type == 4 || type == 5) {
    SeitzOperator b;
    b.t = {6, 0, 6};
    type = has(b) ? 4 : 5;
  }
  LattSymmCards cards;
  cards.hasLatt = true;
  cards.latt = centric ? type : -type;
  const std::size_t listed = all.size() / centringVectors(type).size();
  std::vector<SeitzOperator> covered{SeitzOperator{}};
  for (std::size_t i = 1; i < listed; ++i) {
    if (std::find(covered.begin(), covered.end(), all[i]) != covered.end()) continue;
    cards.symm.push_back(all[i]);
    covered.push_back(all[i]);
    if (centric) covered.push_back(compose(inversion, all[i]));
  }
  return cards;
}

TEST(SpaceGroupCatalogue, EveryBuiltInSettingIsFoundFromItsLattSymmCards) {
  const SpaceGroupCatalogue catalogue({});
  for (int number = 1; number <= highestBuiltInGroup; ++number) {
    for (int s = 1; s <= builtInSettingCount(number); ++s) {
      const SpaceGroupSetting g = findBuiltInSetting(number, s).value();
      SCOPED_TRACE(g.name);
      const LattSymmCards cards = cardsOf(g);
      const auto found = catalogue.find(operatorsFromLattSymm(cards.latt, cards.symm));
      ASSERT_TRUE(found);
      EXPECT_EQ(found->number, number);
      EXPECT_EQ(found->setting, s);
      EXPECT_EQ(found->name, g.name);
    }
  }
  // P21/c from cards as SHELXL files write them, and a setting no table holds.
  const LattSymmCards p21c = readLattSymm({"LATT 1", "SYMM -X, 1/2+Y, 1/2-Z"});
  EXPECT_EQ(catalogue.find(operatorsFromLattSymm(p21c.latt, p21c.symm))->name, "P21/c");
  const LattSymmCards p112 = readLattSymm({"LATT -1", "SYMM -X, -Y, Z"});
  EXPECT_FALSE(catalogue.find(operatorsFromLattSymm(p112.latt, p112.symm)));
  EXPECT_EQ(catalogue.settingCount(14), 3);
}

TEST(SpaceGroupCatalogue, SettingsOfSpcgInfAreFound) {
  TempFolder folder;
  folder.write("spcg.inf", smallSpcg);
  const SpaceGroupCatalogue catalogue = loadSpaceGroupCatalogue(folder.path());
  const LattSymmCards p41 =
      readLattSymm({"LATT -1", "SYMM -X, -Y, 1/2+Z", "SYMM -Y, X, 1/4+Z", "SYMM Y, -X, 3/4+Z"});
  const auto found = catalogue.find(operatorsFromLattSymm(p41.latt, p41.symm));
  ASSERT_TRUE(found);
  EXPECT_EQ(found->number, 76);
  EXPECT_EQ(found->name, "P41");
  EXPECT_EQ(catalogue.settingCount(76), 2);
  EXPECT_EQ(catalogue.settingCount(78), 0) << "an unreadable setting is not listed";
}

}  // namespace
}  // namespace tavo::geometry
