// The habits reachable from a tavo-cli run script: the View menu's orientations, the PART
// Components window and a label typed for the Name mode, end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "model/file_lines.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

const fs::path paraben = fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res";

TEST(HabitScripts, ViewItemsThePartWindowAndATypedLabel) {
  const TempFolder folder;
  fs::copy_file(paraben, folder.path() / "paraben.res");
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "\"View down a\"\n"
                              "\"View down c\"\n"
                              "\"First View\"\n"
                              "\"PART Components\"\n"
                              "window Parts DoubleClick PartGrid 1\n"
                              "window Parts print\n"
                              "mode Name\n"
                              "set SpinEdit20 3\n"
                              "set NewLabel O31\n"
                              "pick C7\n"
                              "apply\n"
                              "\"Save *.ins\"\n");
  ASSERT_EQ(o.status, 0) << o.out << o.err;
  EXPECT_NE(o.out.find("1 | 7 | blue | no"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("2 | 7 | orange | yes"), std::string::npos) << o.out;
  const std::vector<std::string> saved = model::loadRawFileLines(folder.path() / "paraben.ins");
  EXPECT_TRUE(std::any_of(saved.begin(), saved.end(), [](const std::string& line) {
    return line.rfind("O31 ", 0) == 0;
  })) << "C7 renamed by the typed label";
}

}  // namespace
}  // namespace tavo::testing
