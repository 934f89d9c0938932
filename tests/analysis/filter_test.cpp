#include "analysis/filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "analysis/analysis_error.h"
#include "analysis/butterworth.h"
#include "analysis/filter_c_code.h"
#include "tests/analysis/allocation_count.h"

namespace {

constexpr double Pi = std::numbers::pi;

// The designed magnitude: the analog Butterworth prototype on the warped axis tan(pi f).
double DesignedMagnitude(const TFilterDesign& d, double f) {
  const double w = std::tan(Pi * f), c = std::tan(Pi * d.Cutoff), c2 = std::tan(Pi * d.CutoffHigh);
  const bool first = d.Kind == fkLowPass1 || d.Kind == fkHighPass1;
  const bool low = d.Kind == fkLowPass1 || d.Kind == fkButterLowPass;
  const double ratio = d.Kind == fkButterBandPass ? (w * w - c * c2) / ((c2 - c) * w)
                       : low                      ? w / c
                                                  : c / w;
  return 1 / std::sqrt(1 + std::pow(ratio, 2 * (first ? 1 : d.Order)));
}

std::vector<TFilterDesign> RecursiveDesigns() {
  std::vector<TFilterDesign> designs{{fkLowPass1, 0, 0, 0.1}, {fkHighPass1, 0, 0, 0.02}};
  for (int order = 2; order <= 8; ++order) {
    designs.push_back({fkButterLowPass, 0, order, 0.05});
    designs.push_back({fkButterHighPass, 0, order, 0.2});
    designs.push_back({fkButterBandPass, 0, order, 0.05, 0.1});
  }
  return designs;
}

std::vector<double> Impulse(size_t count) {
  std::vector<double> x(count);
  x[0] = 1;
  return x;
}

double Decibel(const std::vector<TBiquad>& sections, double f) {
  return 20 * std::log10(std::abs(Response(sections, f)));
}

TEST(Butterworth, ImpulseResponseHasTheDesignedMagnitude) {
  for (const TFilterDesign& d : RecursiveDesigns()) {
    const std::vector<TBiquad> sections = DesignSections(d);
    const size_t expectedSections =
        d.Kind == fkButterBandPass ? size_t(d.Order) : size_t(std::max(d.Order, 1) + 1) / 2;
    EXPECT_EQ(sections.size(), expectedSections) << FilterDescription(d);
    EXPECT_NEAR(std::abs(Response(sections, d.Cutoff)), M_SQRT1_2, 1e-9)
        << FilterDescription(d);  // -3 dB
    // The impulse response runs through Step; its transform must match the design.
    const std::vector<double> h = MakeFilter(d)->Apply(Impulse(8192));
    for (double f = 0.005; f < 0.5; f += 0.0123) {
      std::complex<double> transform = 0;
      for (size_t i = 0; i < h.size(); ++i)
        transform += h[i] * std::polar(1.0, -2 * Pi * f * double(i));
      EXPECT_NEAR(std::abs(transform), DesignedMagnitude(d, f), 1e-9)
          << FilterDescription(d) << " at " << f;
    }
  }
}

TEST(Butterworth, FallsByTwentyDecibelsPerPolePerDecade) {
  // A decade on the warped axis, far from the cutoff: tan(pi f2) = 10 tan(pi f1).
  const auto decadeAbove = [](double f) { return std::atan(10 * std::tan(Pi * f)) / Pi; };
  for (int n = 1; n <= 8; ++n) {
    const auto low = DesignSections({n == 1 ? fkLowPass1 : fkButterLowPass, 0, n, 0.001});
    EXPECT_NEAR(Decibel(low, 0.05) - Decibel(low, decadeAbove(0.05)), 20 * n, 0.01) << n;
    const auto high = DesignSections({n == 1 ? fkHighPass1 : fkButterHighPass, 0, n, 0.4});
    EXPECT_NEAR(Decibel(high, decadeAbove(0.002)) - Decibel(high, 0.002), 20 * n, 0.01) << n;
  }
  // The band pass of order 3 falls by 60 dB per decade on either side, is 1 at its centre
  // and -3 dB at its upper edge.
  const auto band = DesignSections({fkButterBandPass, 0, 3, 0.1, 0.12});
  EXPECT_NEAR(Decibel(band, 0.002) - Decibel(band, 0.0002), 60, 0.1);
  EXPECT_NEAR(Decibel(band, std::atan(std::sqrt(std::tan(Pi * 0.1) * std::tan(Pi * 0.12))) / Pi), 0,
              1e-10);
  EXPECT_NEAR(Decibel(band, 0.12), -3.0103, 1e-4);
}

TEST(MovingAverageAndMedian, HandMadeInputsFromRest) {
  EXPECT_EQ(MakeFilter({fkMovingAverage, 3})->Apply(std::vector<double>{3, 6, 9, 12, 0, 0, 0}),
            (std::vector<double>{1, 3, 6, 9, 7, 4, 0}));
  EXPECT_EQ(MakeFilter({fkMedian, 3})->Apply(std::vector<double>{5, 1, 9, 2, 2, 8}),
            (std::vector<double>{0, 1, 5, 2, 2, 2}));
  // A spike vanishes; a ramp comes out delayed by half the length.
  const auto five = MakeFilter({fkMedian, 5});
  EXPECT_EQ(five->Apply(std::vector<double>{1, 1, 1, 1, 1, 100, 1, 1, -50, 1, 1}),
            (std::vector<double>{0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(five->Apply(std::vector<double>{-1, -2, -3, -4, -5, -6, -7}),
            (std::vector<double>{0, 0, -1, -2, -3, -4, -5}));
  // Huge values swallow small ones in a running sum; once they have left, the average is
  // exact again.
  const auto average = MakeFilter({fkMovingAverage, 4});
  for (double v : {1e17, 1e17, 1e17, 1e17, 0.1, 0.1, 0.1}) average->Step(v);
  EXPECT_EQ(average->Step(0.1), 0.1);
}

TEST(MovingAverageAndMedian, MedianMatchesSortingEveryWindow) {
  std::mt19937 random(18);
  std::uniform_int_distribution<int> value(-20, 20);  // many equal values
  std::vector<double> padded(100, 0.0), x(3000);
  for (double& v : x) v = value(random) * 0.5;
  x[1000] = -0.0;
  padded.insert(padded.end(), x.begin(), x.end());
  const std::vector<double> y = MakeFilter({fkMedian, 101})->Apply(x);
  for (size_t i = 0; i < x.size(); ++i) {
    std::vector<double> window(padded.begin() + std::ptrdiff_t(i),
                               padded.begin() + std::ptrdiff_t(i + 101));
    std::nth_element(window.begin(), window.begin() + 50, window.end());
    ASSERT_EQ(y[i], window[50]) << i;
  }
}

TEST(Filter, StepAllocatesNothingAndResetStartsAfresh) {
  std::vector<TFilterDesign> designs = RecursiveDesigns();
  designs.push_back({fkMovingAverage, 50});
  designs.push_back({fkMedian, 101});
  std::mt19937 random(18);
  std::normal_distribution<double> normal;
  std::vector<double> x(2000);
  for (double& v : x) v = normal(random);
  for (const TFilterDesign& d : designs) {
    const auto filter = MakeFilter(d);
    const std::vector<double> first = filter->Apply(x);
    filter->Reset();
    const size_t before = AllocationCount();
    size_t same = 0;
    while (same < x.size() && filter->Step(x[same]) == first[same]) ++same;
    EXPECT_EQ(AllocationCount(), before) << FilterDescription(d);
    EXPECT_EQ(same, x.size()) << FilterDescription(d);
  }
}

// Compiles C code that defines filter_step with the system's C compiler and returns what it
// makes of an impulse.
std::vector<double> ImpulseThroughCCode(const std::string& code, size_t count) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("tavolix-c-code-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "filter.c")
      << code << "#include <stdio.h>\nint main(void)\n{\n"
      << "    filter_state state[FILTER_SECTIONS] = {{0}};\n"
      << "    for (int i = 0; i < " << count << "; i++)\n"
      << "        printf(\"%.17g\\n\", (double)filter_step(state, i == 0));\n"
      << "    return 0;\n}\n";
  const std::string compile =
      "cc -std=c99 -Wall -Wextra -Wconversion -Wdouble-promotion -Werror -o " +
      (folder / "filter").string() + " " + (folder / "filter.c").string();
  std::vector<double> output;
  FILE* program =
      std::system(compile.c_str()) == 0 ? popen((folder / "filter").c_str(), "r") : nullptr;
  for (double value; program && output.size() < count && std::fscanf(program, "%lf", &value) == 1;)
    output.push_back(value);
  if (program) pclose(program);
  std::filesystem::remove_all(folder);
  return output;
}

TEST(FilterCCode, CompilesAndFiltersAsTheStepDoes) {
  // A float suffices for the first; the second's poles lie too close to z = 1 for a float.
  for (const TFilterDesign& design : {TFilterDesign{fkButterBandPass, 0, 3, 45, 55, 1000},
                                      TFilterDesign{fkButterLowPass, 0, 4, 0.0001}}) {
    const std::string code = FilterCCode(design);
    const bool single = design.Kind == fkButterBandPass;
    EXPECT_NE(code.find(single ? "typedef float filter_real;" : "typedef double filter_real;"),
              std::string::npos)
        << code;
    const std::vector<double> expected = MakeFilter(design)->Apply(Impulse(300));
    const std::vector<double> output = ImpulseThroughCCode(code, expected.size());
    ASSERT_EQ(output.size(), expected.size()) << code;
    const double peak = *std::max_element(expected.begin(), expected.end());
    for (size_t i = 0; i < expected.size(); ++i)
      EXPECT_NEAR(output[i], expected[i], (single ? 1e-5 : 1e-12) * peak) << i;
    if (single) {
      EXPECT_EQ(code.rfind("/* Butterworth-Bandpass 3. Ordnung (6 Pole), Grenzfrequenzen 45 Hz und "
                           "55 Hz, Abtastrate 1000 Hz.\n"
                           "   3 Biquad-Abschnitte in Reihe",
                           0),
                0u)
          << code;
    }
  }
  try {
    FilterCCode({fkMedian, 5});
    ADD_FAILURE() << "a median has no C code";
  } catch (const EAnalysisError& e) {
    EXPECT_STREQ(e.what(), "Median über 5 Werte besteht nicht aus Biquad-Abschnitten");
  }
}

}  // namespace
