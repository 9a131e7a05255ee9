// Graphics settings: the file round trip, ranges, the missing file, the thickness step.
#include "view/graphics_settings.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "view/graphics_settings_window.h"

namespace tavo::view {
namespace {

using testing::TempFolder;

std::string lines(std::initializer_list<const char*> values) {
  std::string text;
  for (const char* v : values)
    text += std::string(v) + "\r\n";
  return text;
}

TEST(GraphicsSettingsFile, LoadsTwentyOneLinesInOrderAndClampsRanges) {
  TempFolder folder;
  folder.write("graphics1.inf",
               lines({"16777215", "1",   "2", "3", "4", "5", "6",  "255", "8", "9", " 10 ",
                      "0",        "101", "3", "4", "5", "6", "11", "500", "0", "50"}));
  GraphicsSettings s;
  loadGraphicsSettings(folder.path(), "graphics1.inf", s);
  EXPECT_EQ(s.backgroundColor, 16777215);
  EXPECT_EQ(s.nonHBondColor, 1);
  EXPECT_EQ(s.selection1Color, 255);
  EXPECT_EQ(s.distanceColor, 10);
  EXPECT_EQ(s.nonHBondWidth, 1) << "0 is brought up to the minimum";
  EXPECT_EQ(s.nonHBallSize, 100) << "101 is brought down to the maximum";
  EXPECT_EQ(s.hStickWidth, 3);
  EXPECT_EQ(s.ellipseLineWidth, 10);
  EXPECT_EQ(s.stereoSeparation, 400) << "Stereo Separation 500 loads as 400";
  EXPECT_EQ(s.stereoAngle, 1);
  EXPECT_EQ(s.mouseSpeed, 50);
}

TEST(GraphicsSettingsFile, SaveAndLoadRoundTrip) {
  TempFolder folder;
  GraphicsSettings saved;
  saved.backgroundColor = 0xFFFFFF;
  saved.cellBoxColor = 0xC80000;
  saved.nonHBallSize = 35;
  saved.stereoSeparation = 300;
  saveGraphicsSettings(folder.path() / "mine.inf", saved);
  EXPECT_EQ(folder.read("mine.inf"),
            "16777215\n0\n0\n0\n0\n0\n0\n0\n0\n13107200\n0\n2\n35\n1\n1\n1\n1\n1\n300\n5\n24\n");
  GraphicsSettings loaded;
  loadGraphicsSettings(folder.path(), "mine.inf", loaded);
  EXPECT_EQ(loaded, saved);
}

TEST(GraphicsSettingsFile, MissingFileEndsTheProgramWithItsMessage) {
  TempFolder folder;
  GraphicsSettings s;
  try {
    loadGraphicsSettings(folder.path(), "graphics1.inf", s);
    FAIL() << "no error";
  } catch (const MissingSettingsFile& e) {
    EXPECT_STREQ(e.what(), "graphics1.inf does not exits!");
  }
}

TEST(GraphicsSettingsFile, BadLineStopsWithTheValuesReadSoFar) {
  TempFolder folder;
  folder.write("bad.inf", lines({"7", "8", "blue", "9"}));
  GraphicsSettings s;
  try {
    loadGraphicsSettings(folder.path(), "bad.inf", s);
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'blue' is not a valid integer value");
  }
  EXPECT_EQ(s.backgroundColor, 7);
  EXPECT_EQ(s.nonHBondColor, 8);
  EXPECT_EQ(s.hStickColor, 0);
}

TEST(GraphicsSettingsFile, ShortFileIsAConversionError) {
  TempFolder folder;
  folder.write("short.inf", lines({"1", "2"}));
  GraphicsSettings s;
  EXPECT_THROW(loadGraphicsSettings(folder.path(), "short.inf", s), ConversionError);
}

TEST(GraphicsSettingsFile, ShippedSchemeLoadsWithDistinctColours) {
  GraphicsSettings s;
  loadGraphicsSettings(testing::dataFolder(), "graphics1.inf", s);
  const Color layerColors[] = {
      s.nonHBondColor,  s.hStickColor,     s.peakBondColor,   s.nonHLabelColor, s.hLabelColor,
      s.peakLabelColor, s.selection1Color, s.selection2Color, s.cellBoxColor,   s.distanceColor};
  for (const Color c : layerColors)
    EXPECT_NE(c, s.backgroundColor);
  EXPECT_NE(s.selection1Color, s.selection2Color);
  EXPECT_NE(s.nonHBondColor, s.peakBondColor);
}

TEST(GraphicsThicknessStep, UpAndDownFollowTheirLimits) {
  struct Case {
    int width, ball;
    bool thicker;
    int newWidth, newBall, thin;
    const char* why;
  };
  const Case cases[] = {
      {2, 20, true, 3, 30, 2, "up: +1 and +10, thin widths Round(3/2) = 2"},
      {10, 95, true, 10, 100, 5, "up clamps at 10 and 100"},
      {3, 30, false, 2, 20, 1, "down: -1 and -10"},
      {1, 10, false, 1, 10, 0, "down stops at 1 and 10; Round(0.5) = 0 is clamped to 1"},
      {5, 15, false, 4, 5, 2, "ball above 10 loses 10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    GraphicsSettings s;
    s.nonHBondWidth = c.width;
    s.nonHBallSize = c.ball;
    stepGraphicsThickness(s, c.thicker);
    EXPECT_EQ(s.nonHBondWidth, c.newWidth);
    EXPECT_EQ(s.nonHBallSize, c.newBall);
    const int thin = std::max(c.thin, 1);
    EXPECT_EQ(s.hStickWidth, thin);
    EXPECT_EQ(s.peakDotWidth, thin);
    EXPECT_EQ(s.selectionWidth, thin);
    EXPECT_EQ(s.cellLineWidth, thin);
    EXPECT_EQ(s.ellipseLineWidth, thin);
  }
}

TEST(GraphicsSettingsWindow, SaveUnderANewNameThenOpenIt) {
  TempFolder folder;
  testing::FakeDialogs dialogs;
  GraphicsSettings s;
  GraphicsSettingsWindowModel window(s, folder.path());
  EXPECT_EQ(window.currentName(), "graphics1.inf");
  EXPECT_TRUE(window.setValue(13, 45));
  EXPECT_FALSE(window.setValue(13, 45)) << "no change";
  EXPECT_TRUE(window.setValue(19, 1000));
  EXPECT_EQ(window.fieldText(19), "400");

  dialogs.nextFile = std::filesystem::path("/elsewhere/mysettings.inf");
  ASSERT_TRUE(window.saveSettings(dialogs));
  EXPECT_EQ(window.currentName(), "mysettings.inf");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "mysettings.inf"))
      << "the chosen folder is ignored";

  dialogs.nextColor = 0x123456;
  EXPECT_TRUE(window.chooseColor(1, dialogs));
  EXPECT_EQ(s.backgroundColor, 0x123456);
  EXPECT_FALSE(window.chooseColor(12, dialogs)) << "not a colour";

  dialogs.nextFile = folder.path() / "mysettings.inf";
  ASSERT_TRUE(window.openSettings(dialogs));
  EXPECT_EQ(s.backgroundColor, 0);
  EXPECT_EQ(s.nonHBallSize, 45);

  dialogs.nextFile.reset();
  EXPECT_FALSE(window.saveSettings(dialogs));
  EXPECT_FALSE(window.openSettings(dialogs));

  // A fresh window (a new start of the program) reads graphics1.inf again.
  GraphicsSettingsWindowModel restarted(s, folder.path());
  EXPECT_EQ(restarted.currentName(), "graphics1.inf");
  EXPECT_THROW(restarted.load(), MissingSettingsFile);
}

}  // namespace
}  // namespace tavo::view
