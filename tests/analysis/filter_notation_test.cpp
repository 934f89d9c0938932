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

TEST(FilterNotation, EveryForm) {
  EXPECT_EQ(Described("ma:16"), "Gleitender Mittelwert über 16 Werte");
  EXPECT_EQ(Described("median:101"), "Median über 101 Werte");
  EXPECT_EQ(Described("lp1:0.01"), "Tiefpass 1. Ordnung, Grenzfrequenz 0.01 pro Abtastwert");
  EXPECT_EQ(Described("hp1:1e-3"), "Hochpass 1. Ordnung, Grenzfrequenz 0.001 pro Abtastwert");
  EXPECT_EQ(Described("butter-lp:4:0.05"),
            "Butterworth-Tiefpass 4. Ordnung, Grenzfrequenz 0.05 pro Abtastwert");
  EXPECT_EQ(Described("butter-hp:8:.25"),
            "Butterworth-Hochpass 8. Ordnung, Grenzfrequenz 0.25 pro Abtastwert");
  EXPECT_EQ(Described("butter-bp:2:0.1:0.2"),
            "Butterworth-Bandpass 2. Ordnung (4 Pole), Grenzfrequenzen 0.1 pro Abtastwert und 0.2 "
            "pro Abtastwert");
  // Hz with the sample rate; without the suffix the rate is not used.
  EXPECT_EQ(Described("butter-bp:3:45Hz:55.5Hz", 1000),
            "Butterworth-Bandpass 3. Ordnung (6 Pole), Grenzfrequenzen 45 Hz und 55.5 Hz");
  EXPECT_EQ(ParseFilterNotation("butter-bp:3:45Hz:55.5Hz", 1000).SampleRate, 1000);
  EXPECT_EQ(ParseFilterNotation("butter-lp:2:0.05", 1000).SampleRate, 0);
}

TEST(FilterNotation, TextThatNamesNoFilter) {
  EXPECT_EQ(
      ErrorOf("bessel:4:0.1"),
      "Unbekannter Filter 'bessel'; möglich sind ma:L, median:L, lp1:F, hp1:F, butter-lp:N:F, "
      "butter-hp:N:F, butter-bp:N:F1:F2");
  EXPECT_EQ(ErrorOf("").rfind("Unbekannter Filter ''; ", 0), 0u);
  EXPECT_EQ(ErrorOf("butter-lp:4"), "'butter-lp:4' passt nicht zur Form butter-lp:N:F");
  EXPECT_EQ(ErrorOf("ma:4:2"), "'ma:4:2' passt nicht zur Form ma:L");
  EXPECT_EQ(ErrorOf("butter-lp:four:0.1"), "'four' ist keine gültige Zahl in 'butter-lp:four:0.1'");
  EXPECT_EQ(ErrorOf("butter-lp:4:0,1"), "'0,1' ist keine gültige Zahl in 'butter-lp:4:0,1'");
  EXPECT_EQ(ErrorOf("butter-lp:4:Hz", 100), "'Hz' ist keine gültige Zahl in 'butter-lp:4:Hz'");
  for (const char* text : {"ma:", "ma:4.5", "ma: 4", "median:+5", "lp1:0.1x", "lp1:0.1hz",
                           "butter-lp:99999999999:0.1"}) {
    EXPECT_NE(ErrorOf(text).find("ist keine gültige Zahl"), std::string::npos) << text;
  }
  EXPECT_EQ(ErrorOf("lp1:50Hz"), "Frequenzen in Hz brauchen eine Abtastrate: 'lp1:50Hz'");
  EXPECT_EQ(
      ErrorOf("butter-bp:2:45Hz:0.1", 1000),
      "Die Frequenzen in 'butter-bp:2:45Hz:0.1' sind alle in Hz anzugeben oder alle ohne Einheit");
}

TEST(FilterNotation, ParametersOutOfRange) {
  EXPECT_EQ(ErrorOf("ma:1"),
            "Die Länge des gleitenden Mittelwerts muss zwischen 2 und 100000 liegen, nicht 1");
  for (const char* text : {"median:4", "median:1", "median:103"}) {
    EXPECT_EQ(ErrorOf(text).find(
                  "Die Länge des Medians muss ungerade sein und zwischen 3 und 101 liegen"),
              0u)
        << text;
  }
  EXPECT_EQ(ErrorOf("butter-hp:9:0.1"), "Die Ordnung muss zwischen 2 und 8 liegen, nicht 9");
  EXPECT_EQ(ErrorOf("butter-lp:1:0.1"), "Die Ordnung muss zwischen 2 und 8 liegen, nicht 1");
  EXPECT_EQ(
      ErrorOf("hp1:0.5"),
      "Die Grenzfrequenz muss zwischen 0 und 0.5 pro Abtastwert liegen, nicht 0.5 pro Abtastwert");
  EXPECT_EQ(
      ErrorOf("butter-lp:2:nan"),
      "Die Grenzfrequenz muss zwischen 0 und 0.5 pro Abtastwert liegen, nicht nan pro Abtastwert");
  EXPECT_EQ(ErrorOf("butter-lp:4:600Hz", 1000),
            "Die Grenzfrequenz muss zwischen 0 und 500 Hz liegen, nicht 600 Hz");
  EXPECT_EQ(
      ErrorOf("lp1:inf"),
      "Die Grenzfrequenz muss zwischen 0 und 0.5 pro Abtastwert liegen, nicht inf pro Abtastwert");
  EXPECT_EQ(ErrorOf("butter-bp:2:0.2:0.1"),
            "Die untere Grenzfrequenz muss unter der oberen liegen");
  EXPECT_EQ(ErrorOf("butter-bp:2:0.1:0.1"),
            "Die untere Grenzfrequenz muss unter der oberen liegen");
  EXPECT_EQ(ErrorOf("ma:4", -1), "Die Abtastrate muss größer als 0 Hz sein, nicht -1");
}

}  // namespace
