// tavo-cli info and save run in-process on files written by the tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/info_command.h"
#include "cli/json_writer.h"
#include "cli/save_command.h"
#include "support/temp_folder.h"

namespace tavo::cli {
namespace {

using tavo::testing::TempFolder;

constexpr const char* smallIns = R"(TITL small
CELL 0.71073 10.0 10.0 10.0 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT 1
SFAC C H O
UNIT 4 8 2
DFIX 1.43 C1 O1
L.S. 4
FVAR 1.0 0.6
C1    1    0.100000    0.200000    0.300000    11.00000    0.02000    0.03000 =
    0.04000    0.00100    0.00200    0.00300
AFIX 137
H1A   2    0.150000    0.200000    0.300000    11.00000   -1.50000
H1B   2    0.100000    0.250000    0.300000    11.00000   -1.50000
H1C   2    0.100000    0.200000    0.350000    11.00000   -1.50000
AFIX 0
O1    3    0.243000    0.200000    0.300000    21.00000    0.05000
HKLF 4
END
)";

struct Output {
  int status = 0;
  std::string out, err;
};

Output run(int (*command)(const std::vector<std::string>&), std::vector<std::string> args) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  Output o;
  o.status = command(args);
  o.out = ::testing::internal::GetCapturedStdout();
  o.err = ::testing::internal::GetCapturedStderr();
  return o;
}

/// The number that follows the first `key` after position `from`.
double numberAfter(const std::string& text, size_t from, const std::string& key) {
  const size_t at = text.find(key, from);
  if (at == std::string::npos) return -999;
  return std::stod(text.substr(at + key.size(), 30));
}

TEST(InfoCommand, JsonCarriesDecodedAtomsCartesianCoordinatesAndBonds) {
  TempFolder folder;
  const auto file = folder.write("small.ins", smallIns);
  const Output o = run(runInfoCommand, {file.string(), "--json", "--program-folder",
                                        tavo::testing::dataFolder().string()});
  ASSERT_EQ(o.status, 0) << o.err;
  // Decoded sof of O1 is 1·FV(2) = 0.6 with the code kept; Cartesian = fractional · 10 Å.
  const size_t o1 = o.out.find(R"("label":"O1","sfac":3,"part":0,"afixGroup":0,"aniso":false,)");
  ASSERT_NE(o1, std::string::npos) << o.out;
  EXPECT_NEAR(numberAfter(o.out, o1, "\"cart\":["), 2.43, 1e-12);
  EXPECT_NEAR(numberAfter(o.out, o1, "\"sof\":"), 0.6, 1e-12);
  EXPECT_EQ(o.out.compare(o.out.find("\"codes\"", o1), 22, R"("codes":[0,0,0,21,0,0,)"), 0);
  EXPECT_NE(o.out.find(R"("label":"H1A","sfac":2,"part":0,"afixGroup":1)"), std::string::npos);
  EXPECT_NE(o.out.find(R"("fvar":[1,0.6])"), std::string::npos);
  const size_t bond = o.out.find(R"(["C1","O1",)");
  ASSERT_NE(bond, std::string::npos) << "bond list";
  EXPECT_NEAR(numberAfter(o.out, bond, R"("O1",)"), 1.43, 1e-9);
  EXPECT_NE(o.out.find(R"("messages":[])"), std::string::npos);
}

TEST(InfoCommand, RefusedFileExitsNonZeroWithTheMessage) {
  TempFolder folder;
  const auto file = folder.write("bad.ins", "REM no title\nCELL 1 2 3\n");
  const Output o = run(runInfoCommand,
                       {file.string(), "--program-folder", tavo::testing::dataFolder().string()});
  EXPECT_EQ(o.status, 1);
  EXPECT_NE(o.err.find("The first line does not start with a TITL line!  Check the file content!"),
            std::string::npos);
  EXPECT_EQ(run(runInfoCommand, {}).status, 2) << "usage";
}

/// The names in `folder`, sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(InfoCommand, AQueryWritesNoFile) {
  // A .res whose HTAB suggestions are merged, in a program folder without array_max.inf: the
  // window would write htab_codes_checking.txt and create array_max.inf; the query writes neither.
  std::string res = smallIns;
  res.insert(res.find("L.S. 4\n"), "HTAB\n");
  res.insert(res.find("END\n"), "\nREM Instructions for potential hydrogen bonds\nHTAB C1 O1\n\n");
  TempFolder work;
  TempFolder program;
  program.write("elems.inf",
                tavo::testing::readFileBytes(tavo::testing::dataFolder() / "elems.inf"));
  const auto file = work.write("small.res", res);
  const Output o =
      run(runInfoCommand, {file.string(), "--json", "--program-folder", program.path().string()});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_NE(o.out.find("HTAB codes suggesed by Shelxl-2019/2 have been implemented"),
            std::string::npos)
      << o.out;
  EXPECT_EQ(namesIn(work.path()), std::vector<std::string>{"small.res"});
  EXPECT_EQ(namesIn(program.path()), std::vector<std::string>{"elems.inf"});
}

TEST(SaveCommand, WritesTheInsWithABackupAndPrintsItsPath) {
  TempFolder folder;
  const auto file = folder.write("small.ins", smallIns);
  const Output o = run(runSaveCommand,
                       {file.string(), "--program-folder", tavo::testing::dataFolder().string()});
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, file.string() + "\n");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "small.000"));
  const std::string written = folder.read("small.ins");
  EXPECT_NE(written.find("DFIX 1.43 C1 O1"), std::string::npos);
  EXPECT_NE(written.find("AFIX 137"), std::string::npos);
}

TEST(JsonWriter, EscapesTextAndSeparatesValues) {
  JsonWriter json;
  json.beginObject();
  json.key("t");
  json.value("a\"b\\c\n");
  json.key("n");
  json.numbers({1, 0.5});
  json.endObject();
  EXPECT_EQ(json.text(), R"({"t":"a\"b\\c\n","n":[1,0.5]})");
}

TEST(JsonWriter, TextThatIsNotUtf8BecomesReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::string written;
    const char* why;
  };
  const Case cases[] = {
      {"C\xC3\xA9 \xE2\x84\xAB \xF0\x9F\x98\x80", "\"C\xC3\xA9 \xE2\x84\xAB \xF0\x9F\x98\x80\"",
       "UTF-8 of two, three and four bytes is kept"},
      {"a\xE9"
       "b",
       "\"a\\ufffdb\"", "a Latin-1 byte"},
      {"\xC3", "\"\\ufffd\"", "a sequence cut at the end"},
      {"\xC0\xAF", "\"\\ufffd\\ufffd\"", "an overlong form"},
      {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\"", "a surrogate"},
      {"\x80x", "\"\\ufffdx\"", "a continuation byte alone"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    JsonWriter json;
    json.value(c.bytes);
    EXPECT_EQ(json.text(), c.written);
  }
}

}  // namespace
}  // namespace tavo::cli
