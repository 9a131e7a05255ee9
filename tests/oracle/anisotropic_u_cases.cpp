// Reads cases "a b c alpha beta gamma r11 .. r33 U11 U22 U33 U23 U13 U12" from standard input,
// one per line, and writes the transformed U11 .. U12 of each, for the gemmi oracle script.
#include <iostream>
#include <string>
#include <vector>

#include "geometry/anisotropic_transform.h"
#include "text/text.h"

int main() {
  using namespace tavo;
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::vector<std::string_view> words = text::splitWords(line);
    if (words.size() != 21) continue;
    std::vector<double> v;
    for (const std::string_view word : words)
      v.push_back(text::parseDouble(word));
    model::CellParameters cell;
    cell.a = v[0];
    cell.b = v[1];
    cell.c = v[2];
    cell.alpha = v[3];
    cell.beta = v[4];
    cell.gamma = v[5];
    geometry::FractionalRotation r{};
    for (std::size_t k = 0; k < 9; ++k)
      r[k] = static_cast<int>(v[6 + k]);
    const geometry::AnisotropicU u{v[15], v[16], v[17], v[18], v[19], v[20]};
    const geometry::AnisotropicU out = geometry::transformAnisotropicU(cell, r, u);
    for (const double value : {out.u11, out.u22, out.u33, out.u23, out.u13, out.u12})
      std::cout << text::formatShortest(value) << ' ';
    std::cout << '\n';
  }
  return 0;
}
