#include "analysis/filter_notation.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/analysis_error.h"

namespace {

std::string ErrorOf(std::string_view text, double sampleRate = 0) {
  try {
    ParseFilterNotation(text, sampleRate);
  } catch (const EAnalysisError& e) {
    return e.what();
  }
  return "no error";
}

std::string Described(std::string_view text, double sampleRate = 0) {
  return FilterDescription(ParseFilterNotation(text, sampleRate));
}

TEST(FilterNotation, Forms) {
  EXPECT_EQ(Described("ma:16"), "Gleitender Mittelwert über 16 Werte");
  EXPECT_EQ(Described("hp1:1e-3"), "Hochpass 1. Ordnung, Grenzfrequenz 0.001 pro Abtastwert");
  EXPECT_EQ(Described("butter-lp:4:.05"),
            "Butterworth-Tiefpass 4. Ordnung, Grenzfrequenz 0.05 pro Abtastwert");
  EXPECT_EQ(Described("butter-bp:3:45Hz:55.5Hz", 1000),
            "Butterworth-Bandpass 3. Ordnung (6 Pole), Grenzfrequenzen 45 Hz und 55.5 Hz");
  EXPECT_EQ(ParseFilterNotation("butter-bp:3:45Hz:55.5Hz", 1000).SampleRate, 1000);
  EXPECT_EQ(ParseFilterNotation("butter-lp:2:0.05", 1000).SampleRate, 0);  // no Hz, no rate
}

TEST(FilterNotation, TextThatNamesNoFilter) {
  EXPECT_EQ(ErrorOf("bessel:4:0.1"),
            "Unbekannter Filter 'bessel'; möglich sind ma:L, median:L, lp1:F, hp1:F, "
            "butter-lp:N:F, butter-hp:N:F, butter-bp:N:F1:F2");
  EXPECT_EQ(ErrorOf("").rfind("Unbekannter Filter ''; ", 0), 0u);
  EXPECT_EQ(ErrorOf("butter-lp:4"), "'butter-lp:4' passt nicht zur Form butter-lp:N:F");
  EXPECT_EQ(ErrorOf("butter-lp:4:0,1"), "'0,1' ist keine gültige Zahl in 'butter-lp:4:0,1'");
  for (const char* text : {"ma:", "ma:4.5", "ma: 4", "median:+5", "lp1:0.1x", "lp1:0.1hz",
                           "butter-lp:4:Hz", "butter-lp:99999999999:0.1"}) {
    EXPECT_NE(ErrorOf(text, 100).find("ist keine gültige Zahl"), std::string::npos) << text;
  }
  EXPECT_EQ(ErrorOf("lp1:50Hz"), "Frequenzen in Hz brauchen eine Abtastrate: 'lp1:50Hz'");
  EXPECT_EQ(ErrorOf("butter-bp:2:45Hz:0.1", 1000),
            "Die Frequenzen in 'butter-bp:2:45Hz:0.1' sind alle in Hz anzugeben oder alle ohne "
            "Einheit");
}

TEST(FilterNotation, ParametersOutOfRange) {
  EXPECT_EQ(ErrorOf("ma:1"),
            "Die Länge des gleitenden Mittelwerts muss zwischen 2 und 100000 liegen, nicht 1");
  const std::string median = "Die Länge des Medians muss ungerade sein und zwischen 3 und 101 ";
  EXPECT_EQ(ErrorOf("median:4"), median + "liegen, nicht 4");
  EXPECT_EQ(ErrorOf("median:103"), median + "liegen, nicht 103");
  EXPECT_EQ(ErrorOf("butter-hp:9:0.1"), "Die Ordnung muss zwischen 2 und 8 liegen, nicht 9");
  const std::string cutoff = "Die Grenzfrequenz muss zwischen 0 und ";
  EXPECT_EQ(ErrorOf("hp1:0.5"), cutoff + "0.5 pro Abtastwert liegen, nicht 0.5 pro Abtastwert");
  EXPECT_EQ(ErrorOf("lp1:nan"), cutoff + "0.5 pro Abtastwert liegen, nicht nan pro Abtastwert");
  EXPECT_EQ(ErrorOf("butter-lp:4:600Hz", 1000), cutoff + "500 Hz liegen, nicht 600 Hz");
  EXPECT_EQ(ErrorOf("butter-bp:2:0.1:0.1"),
            "Die untere Grenzfrequenz muss unter der oberen liegen");
  EXPECT_EQ(ErrorOf("ma:4", -1), "Die Abtastrate muss größer als 0 Hz sein, nicht -1");
}

}  // namespace
