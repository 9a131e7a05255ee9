#include "density/structure_factors.h"

#include <cmath>
#include <numbers>

#include <gemmi/elem.hpp>
#include <gemmi/fprime.hpp>
#include <gemmi/it92.hpp>

#include "formats/model_cif.h"
#include "text/errors.h"
#include "text/text.h"

namespace tavo::density {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double electronVoltAngstrom = 12398.4198;  // hc, eV·Å

/// "CL" → "Cl", as gemmi spells element symbols.
std::string elementSpelling(std::string_view symbol) {
  std::string name(symbol);
  for (std::size_t i = 1; i < name.size(); ++i)
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  return name;
}

ScatteringModel::Type scatteringType(const ScattererCard& card, double wavelength) {
  ScatteringModel::Type type;
  type.symbol = card.symbol;
  const gemmi::Element element(elementSpelling(card.symbol));
  if (card.coefficients.size() == 9) {
    std::copy(card.coefficients.begin(), card.coefficients.end(), type.coefficients.begin());
    // The long SFAC form gives a1 b1 a2 b2 ...: bring it into the order a1..a4, b1..b4, c.
    for (int i = 0; i < 4; ++i) {
      type.coefficients[static_cast<std::size_t>(i)] =
          card.coefficients[static_cast<std::size_t>(2 * i)];
      type.coefficients[static_cast<std::size_t>(4 + i)] =
          card.coefficients[static_cast<std::size_t>(2 * i + 1)];
    }
  } else {
    if (element.elem == gemmi::El::X || !gemmi::IT92<double>::has(element.elem))
      throw UserError("No scattering factors are known for \"" + card.symbol +
                      "\": give them on a long SFAC card.");
    const auto& coef = gemmi::IT92<double>::get(element.elem);
    for (std::size_t i = 0; i < 9; ++i)
      type.coefficients[i] = coef.coefs[i];
  }
  if (card.fp && card.fpp) {
    type.fp = *card.fp;
    type.fpp = *card.fpp;
  } else if (element.elem != gemmi::El::X) {
    double fpp = 0;
    type.fp =
        gemmi::cromer_liberman(element.atomic_number(), electronVoltAngstrom / wavelength, &fpp);
    type.fpp = fpp;
  }
  return type;
}

/// The index into `types` of the model's element `sfac`.
int typeIndex(const model::StructureModel& structure, const std::vector<ScattererCard>& cards,
              int sfac) {
  const std::string symbol = text::upper(structure.symbolOf(sfac));
  const auto index = static_cast<std::size_t>(sfac - 1);
  if (index < cards.size() && cards[index].symbol == symbol) return static_cast<int>(index);
  for (std::size_t i = 0; i < cards.size(); ++i)
    if (cards[i].symbol == symbol) return static_cast<int>(i);
  return -1;
}

}  // namespace

double formFactor(const std::array<double, 9>& c, double stol2) {
  double f = c[8];
  for (std::size_t i = 0; i < 4; ++i)
    f += c[i] * std::exp(-c[4 + i] * stol2);
  return f;
}

ScatteringModel scatteringModel(const model::StructureModel& structure,
                                const RefinementCards& cards) {
  ScatteringModel result;
  const model::CellParameters& cell = structure.cell;
  result.cell = {cell.a, cell.b, cell.c, cell.alpha, cell.beta, cell.gamma};
  result.wavelength = cards.wavelength;
  result.operators = cards.operators;
  std::vector<ScattererCard> scatterers = cards.scatterers;
  if (scatterers.empty())
    for (int i = 1; i <= structure.elementCount; ++i)
      scatterers.push_back({text::upper(structure.elements[i].symbol), {}, {}, {}});
  std::vector<int> used(scatterers.size(), -1);
  const auto typeOf = [&](int sfac, const std::string& label) {
    const int index = typeIndex(structure, scatterers, sfac);
    if (index < 0) throw UserError("The element of " + label + " is not on the SFAC card.");
    int& slot = used[static_cast<std::size_t>(index)];
    if (slot < 0) {
      slot = static_cast<int>(result.types.size());
      result.types.push_back(
          scatteringType(scatterers[static_cast<std::size_t>(index)], cards.wavelength));
    }
    return slot;
  };
  for (int i = 1; i <= structure.nonHCount; ++i) {
    const model::Atom& a = structure.atoms[i];
    if (a.unit != 0) continue;
    ScatteringModel::Site site{a.label,
                               {a.x, a.y, a.z},
                               typeOf(a.sfac, a.label),
                               a.sof,
                               a.aniso == 1,
                               a.u11,
                               {a.u11, a.u22, a.u33, a.u23, a.u13, a.u12}};
    result.sites.push_back(site);
  }
  for (int i = 1; i <= structure.hCount; ++i) {
    const model::Hydrogen& h = structure.hydrogens[i];
    if (h.unit != 0) continue;
    const double uiso = formats::riderUiso(structure, h).value_or(std::abs(h.uiso));
    result.sites.push_back(
        {h.label, {h.x, h.y, h.z}, typeOf(h.sfac, h.label), h.sof, false, uiso, {}});
  }
  return result;
}

ReciprocalMetric::ReciprocalMetric(const std::array<double, 6>& cell) {
  const double toRad = pi / 180;
  const double ca = std::cos(cell[3] * toRad), cb = std::cos(cell[4] * toRad),
               cg = std::cos(cell[5] * toRad);
  const double sa = std::sin(cell[3] * toRad), sb = std::sin(cell[4] * toRad),
               sg = std::sin(cell[5] * toRad);
  const double volume =
      cell[0] * cell[1] * cell[2] *
      std::sqrt(std::max(0.0, 1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg));
  if (volume <= 0) throw UserError("The cell has no volume: structure factors cannot be computed.");
  const double ar = cell[1] * cell[2] * sa / volume, br = cell[0] * cell[2] * sb / volume,
               cr = cell[0] * cell[1] * sg / volume;
  const double cosAr = (cb * cg - ca) / (sb * sg), cosBr = (ca * cg - cb) / (sa * sg),
               cosGr = (ca * cb - cg) / (sa * sb);
  m_lengths = {ar, br, cr};
  m_g = {ar * ar, br * br, cr * cr, 2 * br * cr * cosAr, 2 * ar * cr * cosBr, 2 * ar * br * cosGr};
}

double ReciprocalMetric::stol2(const Miller& m) const {
  const double h = m.h, k = m.k, l = m.l;
  return 0.25 * (m_g[0] * h * h + m_g[1] * k * k + m_g[2] * l * l + m_g[3] * k * l +
                 m_g[4] * h * l + m_g[5] * h * k);
}

StructureFactorCalculator::StructureFactorCalculator(ScatteringModel model)
    : m_model(std::move(model)), m_metric(m_model.cell) {
  const auto& r = m_metric.lengths();
  for (const ScatteringModel::Site& site : m_model.sites) {
    const auto& u = site.u;
    m_uFractional.push_back({u[0] * r[0] * r[0], u[1] * r[1] * r[1], u[2] * r[2] * r[2],
                             2 * u[3] * r[1] * r[2], 2 * u[4] * r[0] * r[2],
                             2 * u[5] * r[0] * r[1]});
  }
}

std::complex<double> StructureFactorCalculator::operator()(const Miller& hkl) const {
  const double stol2 = m_metric.stol2(hkl);
  // Per type: f0 + f′ + i f″; per operator: the turned indices and the phase of the translation.
  std::array<std::complex<double>, 32> smallFactors;
  std::vector<std::complex<double>> largeFactors;
  std::complex<double>* factors = smallFactors.data();
  if (m_model.types.size() > smallFactors.size()) {
    largeFactors.resize(m_model.types.size());
    factors = largeFactors.data();
  }
  for (std::size_t t = 0; t < m_model.types.size(); ++t) {
    const ScatteringModel::Type& type = m_model.types[t];
    factors[t] = {formFactor(type.coefficients, stol2) + type.fp, type.fpp};
  }
  struct Turned {
    double h, k, l, shift;
  };
  std::array<Turned, 192> turned;
  const std::size_t opCount = std::min(m_model.operators.size(), turned.size());
  for (std::size_t o = 0; o < opCount; ++o) {
    const auto& op = m_model.operators[o];
    const auto& r = op.r;
    turned[o] = {double(hkl.h * r[0] + hkl.k * r[3] + hkl.l * r[6]),
                 double(hkl.h * r[1] + hkl.k * r[4] + hkl.l * r[7]),
                 double(hkl.h * r[2] + hkl.k * r[5] + hkl.l * r[8]),
                 2 * pi * (hkl.h * op.t[0] + hkl.k * op.t[1] + hkl.l * op.t[2]) / 12.0};
  }
  std::complex<double> sum = 0;
  for (std::size_t s = 0; s < m_model.sites.size(); ++s) {
    const ScatteringModel::Site& site = m_model.sites[s];
    const auto& p = site.position;
    double re = 0, im = 0;
    if (!site.anisotropic) {
      for (std::size_t o = 0; o < opCount; ++o) {
        const Turned& t = turned[o];
        const double angle = 2 * pi * (t.h * p.x + t.k * p.y + t.l * p.z) + t.shift;
        re += std::cos(angle);
        im += std::sin(angle);
      }
      const double dwf = std::exp(-8 * pi * pi * site.uiso * stol2);
      re *= dwf;
      im *= dwf;
    } else {
      const auto& u = m_uFractional[s];
      for (std::size_t o = 0; o < opCount; ++o) {
        const Turned& t = turned[o];
        const double angle = 2 * pi * (t.h * p.x + t.k * p.y + t.l * p.z) + t.shift;
        const double q = u[0] * t.h * t.h + u[1] * t.k * t.k + u[2] * t.l * t.l + u[3] * t.k * t.l +
                         u[4] * t.h * t.l + u[5] * t.h * t.k;
        const double dwf = std::exp(-2 * pi * pi * q);
        re += dwf * std::cos(angle);
        im += dwf * std::sin(angle);
      }
    }
    sum += site.occupancy * factors[site.type] * std::complex<double>(re, im);
  }
  return sum;
}

double StructureFactorCalculator::f000() const {
  double sum = 0;
  for (const ScatteringModel::Site& site : m_model.sites) {
    const ScatteringModel::Type& type = m_model.types[static_cast<std::size_t>(site.type)];
    sum += site.occupancy * (formFactor(type.coefficients, 0) + type.fp);
  }
  return sum * static_cast<double>(m_model.operators.size());
}

}  // namespace tavo::density
