// The three files of the texsan package.
#include "formats/texsan_export.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "text/text.h"

namespace tavo::formats {

namespace {

constexpr double eightPiSquared = 8.0 * std::numbers::pi * std::numbers::pi;

const std::map<std::string, std::string, std::less<>>& elementTexts() {
  static const std::map<std::string, std::string, std::less<>> texts = [] {
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"B", "0.820000   *H0Y*0i0"},  {"F", "0.720000   *B0Y*0i0"},
        {"O", "0.730000   *A0**0i0"},  {"N", "0.750000   *C0Y*0i0"},
        {"C", "0.770000   *F0**0i0"},  {"P", "1.060000   *H1Y*0i0"},
        {"S", "1.020000   *E1Y*0i0"},  {"K", "2.030000   *C1Y*1i0"},
        {"V", "1.220000   *D1Y*0i0"},  {"I", "1.330000   *E0Y*0i0"},
        {"Y", "1.620000   *G0Y*0i0"},  {"W", "1.300000   *E0Y*0i0"},
        {"PO", "1.500000   *E0Y*0i0"}, {"BI", "1.460000   *H0Y*0i0"},
        {"PB", "1.470000   *D0Y*0i0"}, {"TL", "1.480000   *C0Y*0i0"},
        {"HG", "1.490000   *E0Y*0i0"}, {"AU", "1.340000   *E0Y*0i0"},
        {"PT", "1.300000   *E0**0i0"}, {"IR", "1.270000   *E0Y*0i0"},
        {"OS", "1.260000   *E0Y*0i0"}, {"RE", "1.280000   *E0Y*0i0"},
        {"TA", "1.340000   *E0Y*0i0"}, {"HF", "1.440000   *E0Y*0i0"},
        {"LU", "1.560000   *C0Y*0i0"}, {"YB", "1.560000   *C0Y*0i0"},
        {"TM", "1.560000   *C0Y*0i0"}, {"ER", "1.570000   *C0Y*0i0"},
        {"HO", "1.580000   *C0Y*0i0"}, {"DY", "1.590000   *C0Y*0i0"},
        {"TB", "1.590000   *C0Y*0i0"}, {"GD", "1.610000   *C0Y*0i0"},
        {"EU", "1.850000   *C0Y*0i0"}, {"SM", "1.620000   *C0Y*0i0"},
        {"PM", "1.630000   *C0Y*0i0"}, {"ND", "1.640000   *C0Y*0i0"},
        {"PR", "1.650000   *C0Y*0i0"}, {"CE", "1.650000   *C0Y*0i0"},
        {"LA", "1.690000   *C0Y*0i0"}, {"BA", "1.980000   *H0Y*1i0"},
        {"CS", "2.350000   *C0Y*1i0"}, {"TE", "1.360000   *E0Y*0i0"},
        {"SB", "1.400000   *H0Y*0i0"}, {"SN", "1.410000   *D0Y*0i0"},
        {"IN", "1.440000   *C0Y*0i0"}, {"CD", "1.480000   *G0Y*0i0"},
        {"AG", "1.340000   *G0Y*0i0"}, {"PD", "1.280000   *G0Y*0i0"},
        {"RH", "1.250000   *G0Y*0i0"}, {"RU", "1.250000   *G0Y*0i0"},
        {"TC", "1.270000   *G0Y*0i0"}, {"MO", "1.300000   *G0Y*0i0"},
        {"NB", "1.340000   *G0Y*0i0"}, {"ZR", "1.450000   *G4Y*0i0"},
        {"SR", "1.910000   *H0Y*1i0"}, {"RB", "2.160000   *C0Y*1i0"},
        {"BR", "1.140000   *D0Y*0i0"}, {"SE", "1.160000   *E0Y*0i0"},
        {"AS", "1.200000   *H0Y*0i0"}, {"GE", "1.220000   *D0Y*0i0"},
        {"GA", "1.260000   *C0Y*0i0"}, {"ZN", "1.250000   *D1**0i0"},
        {"CU", "1.170000   *D0**0i0"}, {"NI", "1.150000   *D0**0i0"},
        {"CO", "1.160000   *D0Y*0i0"}, {"FE", "1.170000   *D0**0i0"},
        {"MN", "1.170000   *D0Y*0i0"}, {"CR", "1.180000   *D0**0i0"},
        {"TI", "1.320000   *D1Y*0i0"}, {"SC", "1.440000   *D1Y*0i0"},
        {"CA", "1.740000   *H1Y*1i0"}, {"CL", "0.990000   *G1Y*0i0"},
        {"SI", "1.110000   *D0Y*0i0"}, {"AL", "1.180000   *C0Y*0i0"},
        {"MG", "1.360000   *B0Y*1i0"}, {"NA", "1.540000   *H0Y*1i0"},
        {"BE", "0.900000   *E0Y*0i0"}, {"LI", "1.230000   *G0Y*0i0"}};
    std::map<std::string, std::string, std::less<>> map;
    for (const auto& [key, value] : rows)
      map[key] = std::string("   ") + value;
    return map;
  }();
  return texts;
}

std::string fixed(double value, int width, int decimals) {
  return text::padLeft(text::formatFixed(value, decimals), static_cast<std::size_t>(width));
}

std::string titleRecord(std::string_view text) {
  return text::padRight(text, 77) + "TTL";
}

/// The fields of a listing line: a field starts where a non-blank follows a blank; the text
/// before the first start is field 0.
std::vector<std::string> fields(std::string_view line) {
  std::vector<std::string> result;
  std::size_t start = 0;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i - 1] == ' ' && line[i] != ' ') {
      result.emplace_back(text::trimLine(line.substr(start, i - start)));
      start = i;
    }
  }
  result.emplace_back(text::trimLine(line.substr(start)));
  return result;
}

double number(const std::vector<std::string>& f, std::size_t i) {
  return i < f.size() ? text::findDouble(f[i]).value_or(0.0) : 0.0;
}

/// Values and uncertainties of one atom from the listing.
struct Uncertainties {
  double ueq = 0, ueqEsd = 0;
  std::array<double, 4> position{};  // x, y, z, sof
  std::array<double, 6> u{};         // U11 U22 U33 U23 U13 U12 (Uiso first when isotropic)
};

struct Lookup {
  const std::vector<std::string>* listing = nullptr;
  std::vector<std::string>* messages = nullptr;

  /// The pair of lines whose first word is `label` (whole word, case ignored).
  std::optional<Uncertainties> find(const std::string& label, bool hydrogen) const {
    if (!listing) return std::nullopt;
    for (std::size_t row = 0; row + 1 < listing->size(); row += 2) {
      const std::vector<std::string_view> words = text::splitWords((*listing)[row]);
      if (words.empty() || text::upper(words[0]) != text::upper(label)) continue;
      const std::vector<std::string> value = fields((*listing)[row]);
      const std::vector<std::string> esd = fields((*listing)[row + 1]);
      Uncertainties u;
      if (value.size() == 12 && !hydrogen) {
        u.ueq = number(value, 11);
        for (std::size_t i = 0; i < 4; ++i)
          u.position[i] = number(esd, i + 1);
        for (std::size_t i = 0; i < 6; ++i)
          u.u[i] = number(esd, i + 5);
        u.ueqEsd = number(esd, 11);
      } else if (value.size() == 6) {
        u.ueq = number(value, 5);
        for (std::size_t i = 0; i < 4; ++i)
          u.position[i] = number(esd, i + 1);
        u.u[0] = u.ueqEsd = number(esd, 5);
      } else if (value.size() == 2 && !hydrogen) {
        u.ueq = number(value, 1);
        u.position[3] = number(esd, 0);
        u.u[0] = u.ueqEsd = number(esd, 1);
        messages->emplace_back(twoColumnMessage);
      } else {
        if (hydrogen) messages->emplace_back(hydrogenProblemMessage);
        return std::nullopt;
      }
      return u;
    }
    return std::nullopt;
  }
};

void insAtoms(const TexsanInput& in, std::vector<std::string>& out) {
  for (const TexsanAtom& a : in.atoms) {
    const std::string head = text::padRight(text::cut(a.label, 5), 5) + fixed(a.sfac, 4, 0) +
                             fixed(a.x, 10, 5) + fixed(a.y, 10, 5) + fixed(a.z, 10, 5) +
                             fixed(a.sof + 10.0, 10, 5);
    if (a.anisotropic) {
      out.push_back(head + fixed(a.u[0], 10, 5) + fixed(a.u[1], 10, 5) + " =");
      out.push_back("     " + fixed(a.u[2], 10, 5) + fixed(a.u[3], 10, 5) + fixed(a.u[4], 10, 5) +
                    fixed(a.u[5], 10, 5));
    } else {
      out.push_back(head + fixed(a.u[0], 10, 5));
    }
  }
  for (const TexsanAtom& h : in.hydrogens) {
    out.push_back(text::padRight(text::cut(h.label, 5), 5) + fixed(h.sfac, 4, 0) +
                  fixed(h.x, 10, 5) + fixed(h.y, 10, 5) + fixed(h.z, 10, 5) +
                  fixed(h.sof + 10.0, 10, 5) + fixed(h.u[0] < 0 ? 0.05 : h.u[0], 10, 5));
  }
}

/// The ATM, AER, UIJ and UER records of one atom.
void datRecords(const TexsanAtom& a, const Uncertainties& e, std::vector<std::string>& out) {
  const std::string label = text::padRight(text::cut(a.label, 8), 8);
  std::string spaces22(22, ' ');
  out.push_back(label + "   " + fixed(a.x, 11, 6) + fixed(a.y, 11, 6) + fixed(a.z, 11, 6) +
                fixed(a.sof, 11, 6) + spaces22 + "ATM");
  out.push_back(std::string(11, ' ') + fixed(e.position[0], 11, 6) + fixed(e.position[1], 11, 6) +
                fixed(e.position[2], 11, 6) + fixed(e.position[3], 11, 6) + spaces22 + "AER");
  std::string uij, uer;
  if (a.anisotropic) {
    for (std::size_t i : {0, 1, 2, 5, 4, 3}) {
      uij += fixed(a.u[i], 11, 6);
      uer += fixed(e.u[i], 11, 6);
    }
  } else {
    uij = fixed(a.u[0] < 0 ? e.ueq : a.u[0], 11, 6);
    uer = fixed(e.u[0], 11, 6);
    for (int i = 0; i < 5; ++i) {
      uij += fixed(0, 11, 6);
      uer += fixed(0, 11, 6);
    }
  }
  out.push_back(uij + fixed(e.ueq * eightPiSquared, 8, 4) + "   UIJ");
  out.push_back(uer + fixed(e.ueqEsd * eightPiSquared, 8, 4) + "   UER");
}

}  // namespace

std::vector<std::string> listingAtomTable(const std::vector<std::string>& listingLines) {
  std::optional<std::size_t> heading, final;
  for (std::size_t i = 0; i < listingLines.size(); ++i) {
    const std::string head = text::trimLine(text::cut(listingLines[i], 50));
    if (head == "ATOM           x         y         z          sof" ||
        head == "ATOM           x        y        z         sof")
      heading = i;
    if (text::trimLine(text::cut(listingLines[i], 35)) == "Final Structure Factor Calculation")
      final = i;
  }
  std::vector<std::string> table;
  if (!heading || !final) return table;
  for (std::size_t i = *heading + 1; i < *final; ++i) {
    std::string line = text::trimLine(listingLines[i]);
    if (!line.empty()) table.push_back(std::move(line));
  }
  return table;
}

std::optional<std::string> texsanElementText(std::string_view symbol) {
  const auto found = elementTexts().find(text::upper(symbol));
  if (found == elementTexts().end()) return std::nullopt;
  return found->second;
}

TexsanFiles texsanFiles(const TexsanInput& in) {
  TexsanFiles files;
  for (const TexsanAtom& a : in.atoms) {
    if (!texsanElementText(a.symbol) &&
        std::find(files.unknownElements.begin(), files.unknownElements.end(), a.symbol) ==
            files.unknownElements.end())
      files.unknownElements.push_back(a.symbol);
  }
  // texsan.ins
  std::vector<std::string>& ins = files.ins;
  ins.push_back(text::cut(in.title, 50));
  for (const auto* line : {&in.cell, &in.zerr}) {
    if (*line) ins.push_back(**line);
  }
  ins.insert(ins.end(), in.lattSymm.begin(), in.lattSymm.end());
  for (const auto* line : {&in.sfac, &in.unit, &in.leastSquares}) {
    if (*line) ins.push_back(**line);
  }
  ins.push_back(in.exti ? *in.exti : "EXTI    0.000000");
  ins.push_back("WGHT    0.100000    0.000000");
  for (const auto* line : {&in.fmap, &in.plan}) {
    if (*line) ins.push_back(**line);
  }
  ins.push_back("FVAR" + fixed(in.scale, 10, 6));
  ins.push_back("");
  insAtoms(in, ins);
  ins.push_back(in.hklf);
  ins.push_back("END");

  // atoms.dat
  std::vector<std::string>& dat = files.dat;
  dat.push_back(titleRecord(text::cut(in.title, 40)));
  dat.push_back(titleRecord(in.title.size() < 42 ? std::string("          Generated by Tavo")
                                                 : in.title.substr(40)));
  dat.push_back(titleRecord("Created by Tavo/SHELXL-2019/2 on " + in.dateTime));
  dat.push_back(fixed(in.scale, 11, 6) + fixed(0, 11, 6) + fixed(0, 11, 6) + fixed(0, 11, 6) +
                fixed(0, 11, 6) + fixed(0, 11, 4) + "  100000   SCX");
  const Lookup lookup{in.listing ? &*in.listing : nullptr, &files.messages};
  for (const TexsanAtom& a : in.atoms) {
    Uncertainties e;
    e.ueq = a.anisotropic ? std::sqrt((a.u[0] * a.u[0] + a.u[1] * a.u[1] + a.u[2] * a.u[2]) / 3)
                          : a.u[0];
    if (const auto found = lookup.find(a.label, false)) {
      e = *found;
    } else {
      files.withoutListing.push_back(a.label);
    }
    datRecords(a, e, dat);
    dat.push_back(texsanElementText(a.symbol).value_or("") +
                  (a.anisotropic ? " 1111111110" : " 1111000000") +
                  "     ______   0.000  0                      INF");
  }
  for (const TexsanAtom& h : in.hydrogens) {
    Uncertainties e;
    e.ueq = h.u[0];
    if (const auto found = lookup.find(h.label, true)) {
      e = *found;
    } else {
      files.withoutListing.push_back(h.label);
    }
    datRecords(h, e, dat);
    dat.push_back(
        "   0.320000   *B0Y*0i3 0000000000     ______   0.000  0                      INF");
  }

  // atoms.pks
  files.pks.push_back(titleRecord("Fourier peaks"));
  for (const TexsanPeak& p : in.peaks) {
    files.pks.push_back(fixed(p.x, 10, 5) + fixed(p.y, 10, 5) + fixed(p.z, 10, 5) + "  1.0000" +
                        fixed(p.height, 10, 5) + "    1      111               PKS");
  }
  return files;
}

}  // namespace tavo::formats
