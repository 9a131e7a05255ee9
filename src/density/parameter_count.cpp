// The number of parameters the refinement program refines, for the goodness of fit.
#include <array>
#include <cmath>

#include "density/agreement.h"
#include "geometry/symmetry_operators.h"

namespace tavo::density {

namespace {

using Matrix6 = std::array<std::array<double, 6>, 6>;

/// The rank of a small matrix by elimination with partial pivoting.
template <std::size_t N>
int rankOf(std::array<std::array<double, N>, N> m) {
  int rank = 0;
  std::size_t row = 0;
  for (std::size_t col = 0; col < N && row < N; ++col) {
    std::size_t pivot = row;
    for (std::size_t r = row + 1; r < N; ++r)
      if (std::abs(m[r][col]) > std::abs(m[pivot][col])) pivot = r;
    if (std::abs(m[pivot][col]) < 1e-6) continue;
    std::swap(m[pivot], m[row]);
    for (std::size_t r = row + 1; r < N; ++r) {
      const double factor = m[r][col] / m[row][col];
      for (std::size_t c = col; c < N; ++c)
        m[r][c] -= factor * m[row][c];
    }
    ++row;
    ++rank;
  }
  return rank;
}

bool fixesSite(const geometry::SeitzOperator& op, const std::array<double, 3>& x) {
  for (std::size_t i = 0; i < 3; ++i) {
    double image = op.t[i] / 12.0;
    for (std::size_t j = 0; j < 3; ++j)
      image += op.r[3 * i + j] * x[j];
    const double difference = image - x[i];
    if (std::abs(difference - std::round(difference)) > 1e-3) return false;
  }
  return true;
}

/// The free coordinates and free Uij of a site: the dimensions that its site symmetry keeps.
std::pair<int, int> siteFreedom(const std::vector<geometry::SeitzOperator>& operators,
                                const std::array<double, 3>& x) {
  std::array<std::array<double, 3>, 3> coordinates{};
  Matrix6 tensors{};
  // Uij in the order U11 U22 U33 U23 U13 U12, as index pairs.
  constexpr std::array<std::array<int, 2>, 6> pairs{
      {{0, 0}, {1, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}}};
  int count = 0;
  for (const geometry::SeitzOperator& op : operators) {
    if (!fixesSite(op, x)) continue;
    ++count;
    const auto r = [&](int i, int j) {
      return static_cast<double>(op.r[static_cast<std::size_t>(3 * i + j)]);
    };
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        coordinates[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] += r(i, j);
    // U' = R U Rᵀ on the six independent components.
    for (std::size_t a = 0; a < 6; ++a) {
      const auto [i, j] = pairs[a];
      for (std::size_t b = 0; b < 6; ++b) {
        const auto [k, l] = pairs[b];
        double v = r(i, k) * r(j, l);
        if (k != l) v += r(i, l) * r(j, k);
        tensors[a][b] += v;
      }
    }
  }
  return {rankOf(coordinates), rankOf(tensors)};
}

bool isFree(double code) {
  return code == 0;
}

int freeCodes(const model::ParameterCodes& codes, int first, int last) {
  int n = 0;
  for (int p = first; p <= last; ++p)
    n += isFree(codes[static_cast<std::size_t>(p)]) ? 1 : 0;
  return n;
}

}  // namespace

int refinedParameterCount(const model::StructureModel& structure, const RefinementCards& cards) {
  int count = structure.fvarCount > 0 ? structure.fvarCount : 1;
  if (cards.extinction) ++count;
  for (int i = 1; i <= structure.nonHCount; ++i) {
    const model::Atom& a = structure.atoms[i];
    if (a.unit != 0) continue;
    const auto [coordinates, tensors] = siteFreedom(cards.operators, {a.x, a.y, a.z});
    count += std::min(coordinates, freeCodes(a.codes, 1, 3));
    count += freeCodes(a.codes, 4, 4);
    count += a.aniso == 1 ? std::min(tensors, freeCodes(a.codes, 5, 10)) : freeCodes(a.codes, 5, 5);
  }
  for (int i = 1; i <= structure.hCount; ++i) {
    const model::Hydrogen& h = structure.hydrogens[i];
    if (h.unit != 0) continue;
    if (h.afixGroup == 0) count += freeCodes(h.codes, 1, 3);
    count += freeCodes(h.codes, 4, 4);
    if (h.uiso >= 0) count += freeCodes(h.codes, 5, 5);
  }
  for (int g = 1; g <= structure.ridingGroupCount; ++g) {
    const std::string& code = structure.ridingGroups[g].afixCode;
    if (!code.empty() && (code.back() == '7' || code.back() == '8')) ++count;
  }
  return count;
}

}  // namespace tavo::density
