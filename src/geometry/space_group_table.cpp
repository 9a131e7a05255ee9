// The built-in table of groups 1 to 65 and the expansion of its rows by the lattice centring.
#include "geometry/space_group_table.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace tavo::geometry {

namespace {

struct Row {
  int number;
  int setting;
  int settingCount;
  std::string_view name;
  int count;                // the full operator count
  std::string_view listed;  // the listed operators, "; " between them
};

// The general positions of International Tables Vol. A in the setting named (origin choice 2
// for Pnnn, Pban and Pmmn), in the order of the operator numbers.
constexpr Row rows[] = {
    {1, 1, 4, "P1", 1, "x,y,z"},
    {1, 2, 4, "C1", 2, "x,y,z"},
    {1, 3, 4, "F1", 4, "x,y,z"},
    {1, 4, 4, "I1", 2, "x,y,z"},
    {2, 1, 1, "P1-", 2, "x,y,z; -x,-y,-z"},
    {3, 1, 1, "P2", 2, "x,y,z; -x,y,-z"},
    {4, 1, 1, "P21", 2, "x,y,z; -x,y+1/2,-z"},
    {5, 1, 2, "C2", 4, "x,y,z; -x,y,-z"},
    {5, 2, 2, "I2", 4, "x,y,z; -x,y,-z"},
    {6, 1, 1, "Pm", 2, "x,y,z; x,-y,z"},
    {7, 1, 3, "Pc", 2, "x,y,z; x,-y,z+1/2"},
    {7, 2, 3, "Pn", 2, "x,y,z; x+1/2,-y,z+1/2"},
    {7, 3, 3, "Pa", 2, "x,y,z; x+1/2,-y,z"},
    {8, 1, 2, "Cm", 4, "x,y,z; x,-y,z"},
    {8, 2, 2, "Im", 4, "x,y,z; x,-y,z"},
    {9, 1, 2, "Cc", 4, "x,y,z; x,-y,z+1/2"},
    {9, 2, 2, "Ia", 4, "x,y,z; x+1/2,-y,z"},
    {10, 1, 1, "P2/m", 4, "x,y,z; x,-y,z; -x,-y,-z; -x,y,-z"},
    {11, 1, 1, "P21/m", 4, "x,y,z; -x,y+1/2,-z; -x,-y,-z; x,-y+1/2,z"},
    {12, 1, 2, "C2/m", 8, "x,y,z; x,-y,z; -x,-y,-z; -x,y,-z"},
    {12, 2, 2, "I2/m", 8, "x,y,z; x,-y,z; -x,-y,-z; -x,y,-z"},
    {13, 1, 3, "P2/c", 4, "x,y,z; -x,y,-z+1/2; -x,-y,-z; x,-y,z+1/2"},
    {13, 2, 3, "P2/a", 4, "x,y,z; x+1/2,-y,z; -x,-y,-z; -x+1/2,y,-z"},
    {13, 3, 3, "P2/n", 4, "x,y,z; x+1/2,-y,z+1/2; -x,-y,-z; -x+1/2,y,-z+1/2"},
    {14, 1, 3, "P21/c", 4, "x,y,z; -x,y+1/2,-z+1/2; -x,-y,-z; x,-y+1/2,z+1/2"},
    {14, 2, 3, "P21/a", 4, "x,y,z; -x+1/2,y+1/2,-z; -x,-y,-z; x+1/2,-y+1/2,z"},
    {14, 3, 3, "P21/n", 4, "x,y,z; -x+1/2,y+1/2,-z+1/2; -x,-y,-z; x+1/2,-y+1/2,z+1/2"},
    {15, 1, 2, "C2/c", 8, "x,y,z; -x,y,-z+1/2; -x,-y,-z; x,-y,z+1/2"},
    {15, 2, 2, "I2/a", 8, "x,y,z; -x+1/2,y,-z; -x,-y,-z; x+1/2,-y,z"},
    {16, 1, 1, "P222", 4, "x,y,z; -x,-y,z; x,-y,-z; -x,y,-z"},
    {17, 1, 1, "P2221", 4, "x,y,z; x,-y,-z; -x,-y,z+1/2; -x,y,-z+1/2"},
    {18, 1, 1, "P21212", 4, "x,y,z; -x,-y,z; x+1/2,-y+1/2,-z; -x+1/2,y+1/2,-z"},
    {19, 1, 1, "P212121", 4, "x,y,z; -x+1/2,-y,z+1/2; x+1/2,-y+1/2,-z; -x,y+1/2,-z+1/2"},
    {20, 1, 1, "C2221", 8, "x,y,z; x,-y,-z; -x,-y,z+1/2; -x,y,-z+1/2"},
    {21, 1, 1, "C222", 8, "x,y,z; -x,-y,z; x,-y,-z; -x,y,-z"},
    {22, 1, 1, "F222", 16, "x,y,z; -x,-y,z; x,-y,-z; -x,y,-z"},
    {23, 1, 1, "I222", 8, "x,y,z; -x,-y,z; x,-y,-z; -x,y,-z"},
    {24, 1, 1, "I212121", 8, "x,y,z; -x+1/2,-y,z+1/2; x+1/2,-y+1/2,-z; -x,y+1/2,-z+1/2"},
    {25, 1, 1, "Pmm2", 4, "x,y,z; -x,-y,z; x,-y,z; -x,y,z"},
    {26, 1, 1, "Pmc21", 4, "x,y,z; -x,y,z; -x,-y,z+1/2; x,-y,z+1/2"},
    {27, 1, 1, "Pcc2", 4, "x,y,z; -x,-y,z; -x,y,z+1/2; x,-y,z+1/2"},
    {28, 1, 1, "Pma2", 4, "x,y,z; -x,-y,z; -x+1/2,y,z; x+1/2,-y,z"},
    {29, 1, 1, "Pca21", 4, "x,y,z; -x,-y,z+1/2; -x+1/2,y,z+1/2; x+1/2,-y,z"},
    {30, 1, 1, "Pnc2", 4, "x,y,z; -x,-y,z; -x,y+1/2,z+1/2; x,-y+1/2,z+1/2"},
    {31, 1, 1, "Pmn21", 4, "x,y,z; -x,y,z; -x+1/2,-y,z+1/2; x+1/2,-y,z+1/2"},
    {32, 1, 1, "Pba2", 4, "x,y,z; -x,-y,z; -x+1/2,y+1/2,z; x+1/2,-y+1/2,z"},
    {33, 1, 1, "Pna21", 4, "x,y,z; -x,-y,z+1/2; -x+1/2,y+1/2,z+1/2; x+1/2,-y+1/2,z"},
    {34, 1, 1, "Pnn2", 4, "x,y,z; -x,-y,z; -x+1/2,y+1/2,z+1/2; x+1/2,-y+1/2,z+1/2"},
    {35, 1, 1, "Cmm2", 8, "x,y,z; -x,-y,z; -x,y,z; x,-y,z"},
    {36, 1, 1, "Cmc21", 8, "x,y,z; -x,y,z; -x,-y,z+1/2; x,-y,z+1/2"},
    {37, 1, 1, "Ccc2", 8, "x,y,z; -x,-y,z; -x,y,z+1/2; x,-y,z+1/2"},
    {38, 1, 1, "Amm2", 8, "x,y,z; -x,-y,z; -x,y,z; x,-y,z"},
    {39, 1, 1, "Abm2", 8, "x,y,z; -x,-y,z; -x,y+1/2,z; x,-y+1/2,z"},
    {40, 1, 1, "Ama2", 8, "x,y,z; -x,-y,z; -x+1/2,y,z; x+1/2,-y,z"},
    {41, 1, 1, "Aba2", 8, "x,y,z; -x,-y,z; -x+1/2,y+1/2,z; x+1/2,-y+1/2,z"},
    {42, 1, 1, "Fmm2", 16, "x,y,z; -x,-y,z; -x,y,z; x,-y,z"},
    {43, 1, 1, "Fdd2", 16, "x,y,z; -x,-y,z; -x+1/4,y+1/4,z+1/4; x+1/4,-y+1/4,z+1/4"},
    {44, 1, 1, "Imm2", 8, "x,y,z; -x,-y,z; -x,y,z; x,-y,z"},
    {45, 1, 1, "Iba2", 8, "x,y,z; -x,-y,z; -x,y,z+1/2; x,-y,z+1/2"},
    {46, 1, 1, "Ima2", 8, "x,y,z; -x,-y,z; -x+1/2,y,z; x+1/2,-y,z"},
    {47, 1, 1, "Pmmm", 8, "x,y,z; -x,-y,z; x,-y,-z; -x,y,-z; -x,-y,-z; x,y,-z; -x,y,z; x,-y,z"},
    {48, 1, 1, "Pnnn", 8,
     "x,y,z; x+1/2,-y,z+1/2; -x,-y,-z; -x+1/2,y,-z+1/2; -x,y+1/2,z+1/2; x+1/2,y+1/2,-z; "
     "x,-y+1/2,-z+1/2; -x+1/2,-y+1/2,z"},
    {49, 1, 1, "Pccm", 8,
     "x,y,z; -x,y,z+1/2; -x,-y,-z; x,-y,-z+1/2; -x,-y,z; x,-y,z+1/2; x,y,-z; -x,y,-z+1/2"},
    {50, 1, 1, "Pban", 8,
     "x,y,z; -x+1/2,y,-z; -x,-y,-z; x+1/2,-y,z; -x+1/2,-y+1/2,z; x,-y+1/2,-z; x+1/2,y+1/2,-z; "
     "-x,y+1/2,z"},
    {51, 1, 1, "Pmma", 8,
     "x,y,z; -x+1/2,y,z; -x,-y,-z; x+1/2,-y,-z; -x,y,-z; x+1/2,y,-z; x,-y,z; -x+1/2,-y,z"},
    {52, 1, 1, "Pnna", 8,
     "x,y,z; x,-y+1/2,-z+1/2; -x,-y,-z; -x,y+1/2,z+1/2; -x+1/2,-y,z; -x+1/2,y+1/2,-z+1/2; "
     "x+1/2,y,-z; x+1/2,-y+1/2,z+1/2"},
    {53, 1, 1, "Pmna", 8,
     "x,y,z; -x+1/2,y,-z+1/2; -x,-y,-z; x+1/2,-y,z+1/2; x,-y,-z; -x+1/2,-y,z+1/2; -x,y,z; "
     "x+1/2,y,-z+1/2"},
    {54, 1, 1, "Pcca", 8,
     "x,y,z; x+1/2,-y,-z+1/2; -x,-y,-z; -x+1/2,y,z+1/2; -x+1/2,-y,z; -x,y,-z+1/2; x+1/2,y,-z; "
     "x,-y,z+1/2"},
    {55, 1, 1, "Pbam", 8,
     "x,y,z; x+1/2,-y+1/2,-z; -x,-y,-z; -x+1/2,y+1/2,z; -x,-y,z; -x+1/2,y+1/2,-z; x,y,-z; "
     "x+1/2,-y+1/2,z"},
    {56, 1, 1, "Pccn", 8,
     "x,y,z; x+1/2,-y,-z+1/2; -x,-y,-z; -x+1/2,y,z+1/2; -x+1/2,-y+1/2,z; -x,y+1/2,-z+1/2; "
     "x+1/2,y+1/2,-z; x,-y+1/2,z+1/2"},
    {57, 1, 1, "Pbcm", 8,
     "x,y,z; x,-y+1/2,-z; -x,-y,-z; -x,y+1/2,z; -x,-y,z+1/2; -x,y+1/2,-z+1/2; x,y,-z+1/2; "
     "x,-y+1/2,z+1/2"},
    {58, 1, 1, "Pnnm", 8,
     "x,y,z; x+1/2,-y+1/2,-z+1/2; -x,-y,-z; -x+1/2,y+1/2,z+1/2; -x,-y,z; -x+1/2,y+1/2,-z+1/2; "
     "x,y,-z; x+1/2,-y+1/2,z+1/2"},
    {59, 1, 1, "Pmmn", 8,
     "x,y,z; x,-y+1/2,z; -x,-y,-z; -x,y+1/2,-z; -x+1/2,y,z; -x+1/2,-y+1/2,z; x+1/2,-y,-z; "
     "x+1/2,y+1/2,-z"},
    {60, 1, 1, "Pbcn", 8,
     "x,y,z; x+1/2,-y+1/2,-z; -x,-y,-z; -x+1/2,y+1/2,z; -x+1/2,-y+1/2,z+1/2; -x,y,-z+1/2; "
     "x+1/2,y+1/2,-z+1/2; x,-y,z+1/2"},
    {61, 1, 1, "Pbca", 8,
     "x,y,z; -x,y+1/2,-z+1/2; -x,-y,-z; x,-y+1/2,z+1/2; x+1/2,-y+1/2,-z; -x+1/2,-y,z+1/2; "
     "-x+1/2,y+1/2,z; x+1/2,y,-z+1/2"},
    {62, 1, 1, "Pnma", 8,
     "x,y,z; -x,y+1/2,-z; -x,-y,-z; x,-y+1/2,z; x+1/2,-y+1/2,-z+1/2; -x+1/2,-y,z+1/2; "
     "-x+1/2,y+1/2,z+1/2; x+1/2,y,-z+1/2"},
    {63, 1, 1, "Cmcm", 16,
     "x,y,z; x,-y,-z; x,y,-z+1/2; x,-y,z+1/2; -x,-y,-z; -x,y,z; -x,-y,z+1/2; -x,y,-z+1/2"},
    {64, 1, 1, "Cmca", 16,
     "x,y,z; x,-y,-z; x,-y+1/2,z+1/2; x,y+1/2,-z+1/2; -x,-y,-z; -x,y,z; -x,y+1/2,-z+1/2; "
     "-x,-y+1/2,z+1/2"},
    {65, 1, 1, "Cmmm", 16, "x,y,z; -x,-y,z; x,-y,-z; -x,y,-z; -x,-y,-z; x,y,-z; -x,y,z; x,-y,z"},
};

const Row* findRow(int number, int setting) {
  for (const Row& row : rows)
    if (row.number == number && row.setting == setting) return &row;
  return nullptr;
}

// The centring vectors in twelfths of the lattice named by the first letter, the zero vector
// first.
std::vector<std::array<int, 3>> centringOf(char letter) {
  switch (letter) {
    case 'C':
      return {{0, 0, 0}, {6, 6, 0}};
    case 'A':
      return {{0, 0, 0}, {0, 6, 6}};
    case 'I':
      return {{0, 0, 0}, {6, 6, 6}};
    case 'F':
      return {{0, 0, 0}, {0, 6, 6}, {6, 0, 6}, {6, 6, 0}};
    default:
      return {{0, 0, 0}};
  }
}

std::vector<SeitzOperator> listedOperators(std::string_view listed) {
  std::vector<SeitzOperator> result;
  std::size_t start = 0;
  while (start <= listed.size()) {
    std::size_t end = listed.find(';', start);
    if (end == std::string_view::npos) end = listed.size();
    const std::optional<SeitzOperator> op = parseSymmetryTriplet(listed.substr(start, end - start));
    assert(op);
    result.push_back(*op);
    start = end + 1;
  }
  return result;
}

}  // namespace

void applySetting(model::SymmetryOps& symmetry, const SpaceGroupSetting& setting) {
  const int count = std::min(static_cast<int>(setting.ops.size()), model::maxSymmetryOperators);
  for (int k = 1; k <= count; ++k)
    symmetry.ops[static_cast<std::size_t>(k)] = setting.ops[static_cast<std::size_t>(k - 1)];
  symmetry.opCount = std::max(count, 1);
  symmetry.translationUnit = setting.translationUnit;
  symmetry.translationUnitText = setting.translationUnitText;
}

std::vector<SeitzOperator> seitzOperators(const SpaceGroupSetting& setting) {
  std::vector<SeitzOperator> result;
  result.reserve(setting.ops.size());
  for (const std::array<std::int8_t, 12>& o : setting.ops) {
    SeitzOperator s;
    for (std::size_t i = 0; i < 3; ++i) {
      for (std::size_t j = 0; j < 3; ++j)
        s.r[3 * i + j] = o[4 * i + j];
      s.t[i] = static_cast<int>(std::lround(o[4 * i + 3] * setting.translationUnit * 12.0));
    }
    result.push_back(s.reduced());
  }
  return result;
}

int builtInSettingCount(int number) {
  for (const Row& row : rows)
    if (row.number == number) return row.settingCount;
  return 0;
}

std::optional<SpaceGroupSetting> findBuiltInSetting(int number, int setting) {
  const Row* row = findRow(number, setting);
  if (row == nullptr) return std::nullopt;
  std::vector<SeitzOperator> full;
  const std::vector<SeitzOperator> listed = listedOperators(row->listed);
  for (const std::array<int, 3>& v : centringOf(row->name.front())) {
    for (SeitzOperator op : listed) {
      for (std::size_t j = 0; j < 3; ++j)
        op.t[j] += v[j];
      full.push_back(op.reduced());
    }
  }
  assert(static_cast<int>(full.size()) == row->count);
  // The coarsest unit that holds every translation: 1/2, or 1/4 for Fdd2.
  model::SymmetryOps scratch;
  fillSymmetryOps(scratch, full);
  SpaceGroupSetting result;
  result.number = row->number;
  result.setting = row->setting;
  result.settingCount = row->settingCount;
  result.name = std::string(row->name);
  result.translationUnit = scratch.translationUnit;
  result.translationUnitText = scratch.translationUnitText;
  for (int k = 1; k <= scratch.opCount; ++k)
    result.ops.push_back(scratch.ops[static_cast<std::size_t>(k)]);
  return result;
}

}  // namespace tavo::geometry
