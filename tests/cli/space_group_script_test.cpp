// tavo-cli run end to end over the space-group controls and info --json "spaceGroup".
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

/// Our example with `from` replaced by `to`, written as `name`.
void writeExample(const TempFolder& folder, const std::string& name,
                  const std::vector<std::pair<std::string, std::string>>& edits) {
  std::string content = readFileBytes(fs::path(TAVO_SOURCE_DIR) / "examples" / "paraben.res");
  for (const auto& [from, to] : edits)
    content.replace(content.find(from), from.size(), to);
  folder.write(name, content);
}

TEST(SpaceGroupScript, ControlsChooseAndInfoReportsTheGroupAndItsSource) {
  TempFolder folder;
  writeExample(folder, "chosen.res", {});
  writeExample(folder, "cards.res", {{"REM SPCG       P21/c   14    1\n", ""}});
  writeExample(folder, "p112.res",
               {{"REM SPCG       P21/c   14    1\n", ""},
                {"LATT 1\nSYMM -X, 0.5+Y, 0.5-Z\n", "LATT -1\nSYMM -X, -Y, Z\n"}});
  const Outcome o = runScript(folder,
                              "open chosen.res\n"
                              "set SpinEdit12 14\n"
                              "set SpinEdit17 3\n"
                              "info --json\n"
                              "\"Save *.ins\"\n"
                              "open cards.res\n"
                              "info --json\n"
                              "open p112.res\n"
                              "info --json\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  const std::string chosen =
      R"("spaceGroup":{"number":14,"setting":3,"name":"P21/n","source":"REM SPCG",)"
      R"("operators":["x,y,z","-x+1/2,y+1/2,-z+1/2","-x,-y,-z","x+1/2,-y+1/2,z+1/2"]})";
  const std::string matched =
      R"("spaceGroup":{"number":14,"setting":1,"name":"P21/c","source":"LATT/SYMM matched",)"
      R"("operators":["x,y,z","-x,y+1/2,-z+1/2","-x,-y,-z","x,-y+1/2,z+1/2"]})";
  const std::string own =
      R"("spaceGroup":{"number":1,"setting":1,"name":"LATT/SYMM","source":"LATT/SYMM",)"
      R"("operators":["x,y,z","-x,-y,z"]})";
  const std::size_t first = o.out.find(chosen);
  const std::size_t second = o.out.find(matched);
  const std::size_t third = o.out.find(own);
  EXPECT_NE(first, std::string::npos) << o.out;
  EXPECT_NE(second, std::string::npos) << o.out;
  EXPECT_NE(third, std::string::npos) << o.out;
  EXPECT_TRUE(first < second && second < third);

  const std::vector<std::string> saved = model::loadFileLines(folder.path() / "chosen.ins");
  const auto spcg = std::find(saved.begin(), saved.end(), "REM SPCG       P21/n   14    3");
  ASSERT_NE(spcg, saved.end());
  EXPECT_EQ(*(spcg - 1), "UNIT 36 40 12") << "rewritten where the file had it";
  EXPECT_EQ(std::count_if(saved.begin(), saved.end(),
                          [](const std::string& l) { return l.rfind("REM SPCG", 0) == 0; }),
            1);
}

}  // namespace
}  // namespace tavo::testing
