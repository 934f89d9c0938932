#include "analysis/filter_c_code.h"

#include <charconv>

#include "analysis/butterworth.h"
#include "analysis/number_text.h"

namespace {

// A float literal C reads back exactly: 9 significant digits, always with a point or an
// exponent before the suffix ("1" would make "1f", which is no literal).
std::string FloatLiteral(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, float(value), std::chars_format::general, 9).ptr;
  std::string literal(text, end);
  if (literal.find_first_of(".e") == std::string::npos) literal += ".0";
  return literal + "f";
}

std::string DesignComment(const TFilterDesign& d, size_t sections) {
  std::string comment = "/* " + FilterDescription(d);
  if (d.SampleRate > 0) comment += ", Abtastrate " + ShortestText(d.SampleRate) + " Hz";
  return comment + ".\n   " + ShortestText(double(sections)) +
         " Biquad-Abschnitte in Reihe, Direktform II transponiert, a0 = 1:\n"
         "   y = b0*x + s1;  s1 = b1*x - a1*y + s2;  s2 = b2*x - a2*y\n"
         "   Den Zustand vor dem ersten Wert auf 0 setzen. */\n";
}

}  // namespace

std::string FilterCCode(const TFilterDesign& design) {
  const std::vector<TBiquad> sections = DesignSections(design);
  std::string code = DesignComment(design, sections.size());
  code += "#define FILTER_SECTIONS " + ShortestText(double(sections.size())) +
          "\n\n"
          "static const float filter_coeffs[FILTER_SECTIONS][5] = {\n"
          "    /* b0, b1, b2, a1, a2 */\n";
  for (const TBiquad& s : sections) {
    code += "    {" + FloatLiteral(s.B0) + ", " + FloatLiteral(s.B1) + ", " + FloatLiteral(s.B2) + ", " +
            FloatLiteral(s.A1) + ", " + FloatLiteral(s.A2) + "},\n";
  }
  code +=
      "};\n"
      "\n"
      "typedef struct { float s1, s2; } filter_state;\n"
      "\n"
      "static float filter_step(filter_state state[FILTER_SECTIONS], float x)\n"
      "{\n"
      "    for (int i = 0; i < FILTER_SECTIONS; i++) {\n"
      "        const float *c = filter_coeffs[i];\n"
      "        float y = c[0] * x + state[i].s1;\n"
      "        state[i].s1 = c[1] * x - c[3] * y + state[i].s2;\n"
      "        state[i].s2 = c[2] * x - c[4] * y;\n"
      "        x = y;\n"
      "    }\n"
      "    return x;\n"
      "}\n";
  return code;
}
