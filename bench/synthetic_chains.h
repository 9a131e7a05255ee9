// Program folders with synthetic structures of zigzag carbon chains (anisotropic C, each with a
// riding H) at about 18 Å³ per carbon, for the benchmarks that open big files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace tavo::bench {

/// Base-36 characters after the element letter: three while `count` labels fit into SHELXL's four
/// characters (up to 10,000 no label spells an instruction, such as HKLF or CELL), four beyond,
/// so that every label is unique and none can be taken for an instruction.
inline std::string chainLabelSuffix(int number, int count) {
  static constexpr char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const int length = count <= 10000 ? 3 : 4;
  std::string text(static_cast<std::size_t>(length), '0');
  for (int i = length - 1; i >= 0; --i) {
    text[static_cast<std::size_t>(i)] = digits[number % 36];
    number /= 36;
  }
  return text;
}

/// Copies data/ into `folder` with array_max.inf raised far enough for `limitCarbons` carbons
/// (and their H atoms, expansion room and bonds).
inline void writeProgramFolder(const std::filesystem::path& folder, int limitCarbons) {
  namespace fs = std::filesystem;
  fs::create_directories(folder);
  fs::copy(fs::path(TAVO_SOURCE_DIR) / "data", folder,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::ofstream limits(folder / "array_max.inf");
  const auto line = [&](const char* text, int value) {
    std::string row = text;
    row.resize(75, ' ');
    limits << row << value << '\n';
  };
  line("Maximum number of all atoms including expanded atoms (exp_max):", 4 * limitCarbons + 1000);
  line("Maximum number of non-H atoms = Maximum number of H atoms (atm_max):",
       2 * limitCarbons + 100);
  line("Maximum number of elements to be handled (elem_max):", 30);
  line("Maximum number of symmetry operations (sym_max):", 200);
  line("Maximum number of bond connections to be handled (con_max):", 4 * limitCarbons + 1000);
  line("Maximum number of command lines in ins/res files (cmd_max):", 500);
  line("Maximum number of atoms for the locating fragments (frg_max):", 300);
}

/// Writes `file`: a P1 structure of `carbons` chain carbons, 50 to a chain.
inline void writeChainStructure(const std::filesystem::path& file, int carbons) {
  constexpr int perChain = 50, columns = 10;
  constexpr double stepX = 1.26, wiggle = 0.44, spacing = 3.8;  // C-C 1.54 Å along the chain
  const int chains = (carbons + perChain - 1) / perChain;
  const int rows = (chains + columns - 1) / columns;
  const double a = perChain * stepX, b = columns * spacing, c = rows * spacing;
  std::ofstream ins(file);
  char buffer[200];
  std::snprintf(buffer, sizeof buffer, "CELL 0.71073 %.4f %.4f %.4f 90 90 90\n", a, b, c);
  ins << "TITL big synthetic chains\n"
      << buffer << "ZERR 1 0.001 0.001 0.001 0 0 0\nLATT -1\n"
      << "SFAC C H\nUNIT " << carbons << ' ' << carbons << "\nL.S. 4\nPLAN 20\nFMAP 2\n"
      << "WGHT 0.1\nFVAR 1.00000\n";
  for (int i = 0; i < carbons; ++i) {
    const int chain = i / perChain, k = i % perChain;
    const double x = (k + 0.25) * stepX;
    const double y = (chain % columns + 0.5) * spacing + (k % 2 ? wiggle : -wiggle);
    const double z = (chain / columns + 0.5) * spacing;
    const double hz = z + (k % 2 ? 0.96 : -0.96);
    const std::string name = chainLabelSuffix(i + 1, carbons);
    std::snprintf(buffer, sizeof buffer,
                  "C%s  1  %.5f  %.5f  %.5f  11.00000  0.05000  0.04000 =\n"
                  "    0.06000  0.00200  0.00300  0.00100\nAFIX 43\n",
                  name.c_str(), x / a, y / b, z / c);
    ins << buffer;
    std::snprintf(buffer, sizeof buffer, "H%s  2  %.5f  %.5f  %.5f  11.00000  -1.20000\nAFIX 0\n",
                  name.c_str(), x / a, y / b, hz / c);
    ins << buffer;
  }
  ins << "HKLF 4\nEND\n";
}

}  // namespace tavo::bench
