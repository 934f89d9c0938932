#include "analysis/filter_c_code.h"

#include <charconv>
#include <cmath>
#include <span>

#include "analysis/butterworth.h"
#include "analysis/number_text.h"

namespace {

// A C literal that reads back exactly: 9 significant digits with the suffix f for float,
// 17 for double, always with a point or an exponent ("1f" would be no literal).
std::string Literal(double value, bool single) {
  char text[32];
  const auto end =
      single
          ? std::to_chars(text, text + sizeof text, float(value), std::chars_format::general, 9).ptr
          : std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17).ptr;
  std::string literal(text, end);
  if (literal.find_first_of(".e") == std::string::npos) literal += ".0";
  return single ? literal + "f" : literal;
}

TBiquad RoundedToSingle(const TBiquad& s) {
  return {float(s.B0), float(s.B1), float(s.B2), float(s.A1), float(s.A2)};
}

// Both poles inside the unit circle.
bool Stable(const TBiquad& s) { return std::abs(s.A2) < 1 && std::abs(s.A1) < 1 + s.A2; }

// Poles close to z = 1 (a low cutoff at a high order) need more digits than a float holds.
// Single precision suffices when the rounded sections stay stable and keep the magnitude
// within 0.01 dB of the design wherever the design passes more than -40 dB.
bool SingleSuffices(std::span<const TBiquad> sections) {
  std::vector<TBiquad> rounded;
  for (const TBiquad& s : sections) {
    rounded.push_back(RoundedToSingle(s));
    if (!Stable(rounded.back())) return false;
  }
  constexpr int Points = 400;
  for (int i = 0; i <= Points; ++i) {
    const double f = 0.5 * std::pow(10, -8.0 * i / Points);
    const double designed = std::abs(Response(sections, f));
    if (designed < 0.01) continue;
    if (std::abs(20 * std::log10(std::abs(Response(rounded, f)) / designed)) > 0.01) return false;
  }
  return true;
}

std::string DesignComment(const TFilterDesign& d, size_t sections, bool single) {
  std::string comment = "/* " + FilterDescription(d);
  if (d.SampleRate > 0) comment += ", Abtastrate " + ShortestText(d.SampleRate) + " Hz";
  comment += ".\n   " + ShortestText(double(sections)) +
             (sections == 1 ? " Biquad-Abschnitt" : " Biquad-Abschnitte in Reihe") +
             ", Direktform II transponiert, a0 = 1:\n"
             "   y = b0*x + s1;  s1 = b1*x - a1*y + s2;  s2 = b2*x - a2*y\n";
  if (!single) comment += "   In double, weil float die Pole nicht genau genug trifft.\n";
  return comment + "   Den Zustand vor dem ersten Wert auf 0 setzen. */\n";
}

}  // namespace

std::string FilterCCode(const TFilterDesign& design) {
  const std::vector<TBiquad> sections = DesignSections(design);
  const bool single = SingleSuffices(sections);
  std::string code = DesignComment(design, sections.size(), single);
  code += "typedef " + std::string(single ? "float" : "double") +
          " filter_real;\n"
          "#define FILTER_SECTIONS " +
          ShortestText(double(sections.size())) +
          "\n\n"
          "static const filter_real filter_coeffs[FILTER_SECTIONS][5] = {\n"
          "    /* b0, b1, b2, a1, a2 */\n";
  for (const TBiquad& s : sections) {
    code += "    {" + Literal(s.B0, single) + ", " + Literal(s.B1, single) + ", " +
            Literal(s.B2, single) + ", " + Literal(s.A1, single) + ", " + Literal(s.A2, single) +
            "},\n";
  }
  code +=
      "};\n"
      "\n"
      "typedef struct { filter_real s1, s2; } filter_state;\n"
      "\n"
      "static filter_real filter_step(filter_state state[FILTER_SECTIONS], filter_real x)\n"
      "{\n"
      "    for (int i = 0; i < FILTER_SECTIONS; i++) {\n"
      "        const filter_real *c = filter_coeffs[i];\n"
      "        filter_real y = c[0] * x + state[i].s1;\n"
      "        state[i].s1 = c[1] * x - c[3] * y + state[i].s2;\n"
      "        state[i].s2 = c[2] * x - c[4] * y;\n"
      "        x = y;\n"
      "    }\n"
      "    return x;\n"
      "}\n";
  return code;
}
