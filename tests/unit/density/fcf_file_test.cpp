// Reading LIST 4 and LIST 6 .fcf files by their column names, and writing LIST 6.
#include "density/fcf_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "text/errors.h"

namespace tavo::density {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

std::string errorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const UserError& e) {
    return e.what();
  }
  return "(no error)";
}

constexpr const char* list4Text = R"(#
# h,k,l, Fc-squared, Fo-squared, sigma(Fo-squared), status flag
#
data_small
_shelx_title ' small in P2(1)/c'
_shelx_refln_list_code          4
_shelx_F_calc_maximum       53.20
_exptl_crystal_F_000       212.00
_reflns_d_resolution_high  0.7700

loop_
 _space_group_symop_operation_xyz
 'x, y, z'
 '-x+1/2, y+1/2, -z+1/2'

_cell_length_a     7.1234
_cell_length_b     9.8000
_cell_length_c    11.5000
_cell_angle_alpha  90.000
_cell_angle_beta  101.250
_cell_angle_gamma  90.000

_shelx_F_squared_multiplier     1.000

loop_
 _refln_index_h
 _refln_index_k
 _refln_index_l
 _refln_F_squared_calc
 _refln_F_squared_meas
 _refln_F_squared_sigma
 _refln_observed_status
   1   0   0        200.59        195.73        12.25 o
 -12   3  -4          1.23         -0.50         0.80 <
                                                
)";

TEST(FcfFile, ReadsList4WithItsHeader) {
  const TempFolder folder;
  const FcfData data = readFcfFile(folder.write("small.fcf", list4Text));
  EXPECT_EQ(data.list, 4);
  const std::vector<FcfRow> expected{
      {{1, 0, 0}, 195.73, 12.25, 200.59, 0, 0, 'o'},
      {{-12, 3, -4}, -0.5, 0.8, 1.23, 0, 0, '<'},
  };
  EXPECT_EQ(data.rows, expected);
  FcfHeader header;
  header.blockName = "small";
  header.title = " small in P2(1)/c";
  header.fCalcMaximum = 53.2;
  header.f000 = 212;
  header.resolutionHighA = 0.77;
  header.cell = std::array<double, 6>{7.1234, 9.8, 11.5, 90, 101.25, 90};
  header.symmetryOperations = {"x, y, z", "-x+1/2, y+1/2, -z+1/2"};
  EXPECT_EQ(data.header, header);
}

TEST(FcfFile, ReadsList6ByColumnNamesInAnyOrder) {
  const TempFolder folder;
  const fs::path file = folder.write("six.fcf",
                                     "data_six\r\n_shelx_refln_list_code 6\r\nloop_\r\n"
                                     "_refln_phase_calc\r\n_refln_index_l\r\n_refln_index_k\r\n"
                                     "_refln_index_h\r\n_refln_F_calc\r\n_refln_F_squared_sigma\r\n"
                                     "_refln_F_squared_meas\r\n"
                                     " 180.0  3  2  1  11.11  6.70  123.45\r\n"
                                     "\t90.5\t-3\t0\t4\t0.5\t0.1\t0.2\r\n");
  const FcfData data = readFcfFile(file);
  EXPECT_EQ(data.list, 6);
  const std::vector<FcfRow> expected{
      {{1, 2, 3}, 123.45, 6.7, 0, 11.11, 180.0, 'o'},
      {{4, 0, -3}, 0.2, 0.1, 0, 0.5, 90.5, 'o'},
  };
  EXPECT_EQ(data.rows, expected);
  EXPECT_FALSE(data.header.cell);
}

TEST(FcfFile, MalformedFilesNameTheFileAndLine) {
  const std::string loop4 =
      "data_x\n_shelx_refln_list_code 4\nloop_\n_refln_index_h\n_refln_index_k\n"
      "_refln_index_l\n_refln_F_squared_calc\n_refln_F_squared_meas\n_refln_F_squared_sigma\n"
      "_refln_observed_status\n   1   0   0  1.0  2.0  0.5 o\n";
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {loop4 + "   1   0   0  1.0  2.0  0.5\n",
       "x.fcf, line 12: the row has 6 values for the 7 columns of the reflection loop."},
      {loop4 + "   1   0   0  1.0  ab  0.5 o\n",
       "x.fcf, line 12: 'ab' is not a number (_refln_f_squared_meas)."},
      {loop4 + "   1   0   0.5  1.0  2.0  0.5 o\n",
       "x.fcf, line 12: '0.5' is not a whole number (_refln_index_l)."},
      {"data_x\n_shelx_refln_list_code 3\nloop_\n_refln_index_h\n_refln_index_k\n"
       "_refln_index_l\n_refln_F_meas\n   1   0   0  1.0\n",
       "x.fcf, line 8: LIST 3 reflections are not read; only LIST 4 and 6."},
      {"data_x\n_shelx_refln_list_code 6\nloop_\n_refln_index_h\n_refln_index_k\n"
       "_refln_index_l\n_refln_F_squared_meas\n_refln_F_squared_sigma\n_refln_F_calc\n"
       "   1   0   0  1.0  1.0  1.0\n",
       "x.fcf: the reflection loop has no _refln_phase_calc column, which a LIST 6 file needs."},
      {"data_x\n_shelx_refln_list_code 4\n", "x.fcf: the file has no loop of _refln_index_h rows."},
  };
  const TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const fs::path file = folder.write("x.fcf", c.text);
    EXPECT_EQ(errorOf([&] { readFcfFile(file); }), c.message);
  }
  EXPECT_THROW(readFcfFile(folder.path() / "missing.fcf"), FileError);
}

TEST(FcfFile, WritesList6AsShelxlLaysItOutAndReadsItBack) {
  FcfData data;
  data.list = 6;
  data.rows = {
      {{1, 2, 3}, 123.45, 6.7, 0, 11.11, 180.0, 'o'},
      {{-100, 0, 12}, -0.25, 0.5, 0, 1234.5, 359.9, 'o'},
  };
  FcfHeader header;
  header.blockName = "my crystal";
  header.title = "it's P-1";
  header.fCalcMaximum = 119.26;
  header.f000 = 428;
  header.resolutionHighA = 0.4886;
  header.cell = std::array<double, 6>{9.5434, 2.9127, 11.1936, 90, 115.832, 90};
  header.symmetryOperations = {"x, y, z", "-x, -y, -z"};

  const TempFolder folder;
  const fs::path file = folder.path() / "out.fcf";
  writeFcfList6(file, data, header);
  EXPECT_EQ(testing::readFileBytes(file),
            "#\n# h,k,l, Fo-squared, sigma(Fo-squared), Fc and phi(calc)\n#\n"
            "data_my_crystal\n"
            "_shelx_title \"it's P-1\"\n"
            "_shelx_refln_list_code          6\n"
            "_shelx_F_calc_maximum      119.26\n"
            "_exptl_crystal_F_000       428.00\n"
            "_reflns_d_resolution_high  0.4886\n"
            "\n"
            "loop_\n _space_group_symop_operation_xyz\n 'x, y, z'\n '-x, -y, -z'\n"
            "\n"
            "_cell_length_a     9.5434\n"
            "_cell_length_b     2.9127\n"
            "_cell_length_c    11.1936\n"
            "_cell_angle_alpha  90.000\n"
            "_cell_angle_beta  115.832\n"
            "_cell_angle_gamma  90.000\n"
            "\n"
            "loop_\n _refln_index_h\n _refln_index_k\n _refln_index_l\n"
            " _refln_F_squared_meas\n _refln_F_squared_sigma\n _refln_F_calc\n"
            " _refln_phase_calc\n"
            "   1   2   3      123.45      6.70       11.11   180.0\n"
            " -100   0  12       -0.25      0.50     1234.50   359.9\n");

  const FcfData back = readFcfFile(file);
  EXPECT_EQ(back.list, 6);
  EXPECT_EQ(back.rows, data.rows);
  FcfHeader expectedHeader = header;
  expectedHeader.blockName = "my_crystal";
  EXPECT_EQ(back.header, expectedHeader);
}

TEST(FcfCorpus, ReadsEveryList4FileCompletely) {
  struct Case {
    const char* file;
    std::size_t rows;
    FcfRow last;
  };
  const Case cases[] = {
      {"hikari_NaCl_Fm-3m.fcf", 111, {{2, 2, 14}, 2.64, 0.05, 2.68, 0, 0, 'o'}},
      {"logbooker_dom1_mC.fcf", 353, {{1, 3, 17}, 100.22, 30.35, 47.71, 0, 0, 'o'}},
  };
  if (testing::corpusFiles("fcf").empty()) GTEST_SKIP() << "no corpus";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const FcfData data = readFcfFile(testing::corpusFolder() / "fcf" / c.file);
    EXPECT_EQ(data.list, 4);
    ASSERT_EQ(data.rows.size(), c.rows);
    EXPECT_EQ(data.rows.back(), c.last);
    EXPECT_GT(data.header.f000, 0);
    EXPECT_FALSE(data.header.symmetryOperations.empty());
  }
}

}  // namespace
}  // namespace tavo::density
