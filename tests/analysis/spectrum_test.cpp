#include "analysis/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "analysis/analysis_error.h"
#include "analysis/decibel.h"
#include "analysis/realtime_spectrum.h"
#include "tests/analysis/allocation_count.h"

namespace {

// amplitude * sin(2 pi f i + 0.3) + offset, f in cycles per sample.
std::vector<double> Sine(size_t count, double f, double amplitude, double offset = 0) {
  std::vector<double> x(count);
  for (size_t i = 0; i < count; ++i)
    x[i] = amplitude * std::sin(2 * std::numbers::pi * f * double(i) + 0.3) + offset;
  return x;
}

std::vector<double> Noise(size_t count) {
  std::mt19937 random(18);
  std::normal_distribution<double> normal(5, 2);
  std::vector<double> x(count);
  for (double& v : x) v = normal(random);
  return x;
}

std::string ErrorOf(auto&& action) {
  try {
    action();
  } catch (const EAnalysisError& e) {
    return e.what();
  }
  return "no error";
}

TEST(Spectrum, SineShowsItsAmplitudeWithinTheScallopingLossAndItsOffsetVanishes) {
  struct {
    TFftWindow Window;
    double LossDecibel, FrequencyError, AmplitudeErrorDecibel;  // errors of the refined peak
  } const cases[] = {{fwHann, 1.42, 1e-5, 1e-4},
                     {fwHamming, 1.75, 1e-3, 3e-3},
                     {fwBlackman, 1.10, 1e-5, 1e-4},
                     {fwRectangular, 3.92, 3e-3, 0.02}};
  for (const auto& c : cases) {
    for (double offset : {0.0, 0.25, 0.5}) {  // from a bin, in bins
      const TSpectrum s =
          ComputeSpectrum(Sine(4096, (1000 + offset) / 4096, 2.5, 1000), {c.Window});
      const double atBin = Decibel(s.Magnitude[s.Peak.Bin] / 2.5);
      EXPECT_NEAR(atBin, offset == 0.5 ? -c.LossDecibel : 0, offset == 0.25 ? c.LossDecibel : 0.01)
          << int(c.Window);
      EXPECT_NEAR(s.Peak.Frequency * 4096, 1000 + offset, c.FrequencyError) << int(c.Window);
      EXPECT_NEAR(Decibel(s.Peak.Amplitude / 2.5), 0, c.AmplitudeErrorDecibel) << int(c.Window);
      EXPECT_LT(s.Magnitude[0], 1e-6 * 1000) << int(c.Window);  // the offset
    }
  }
  EXPECT_NEAR(ComputeSpectrum(Sine(4096, 0.25, 0.1), {fwHann, msDecibel}).Magnitude[1024], -20,
              1e-3);
}

TEST(Spectrum, ParsevalHoldsWithWindowAndPadding) {
  // One-sided amplitudes A_k of a transform of length M: A_0^2 + sum of A_k^2 / 2 +
  // A_nyquist^2 equals M * sum((w_i (x_i - mean))^2) / (sum w)^2.
  for (size_t n : {4096u, 1001u}) {
    const std::vector<double> x = Noise(n);
    const double mean = std::accumulate(x.begin(), x.end(), 0.0) / double(n);
    for (TFftWindow window : {fwHann, fwHamming, fwBlackman, fwRectangular}) {
      const TSpectrum s = ComputeSpectrum(x, {window});
      std::vector<double> w(n);
      FillWindow(window, w);
      double weighted = 0, weightSum = 0;
      for (size_t i = 0; i < n; ++i) {
        weighted += std::pow(w[i] * (x[i] - mean), 2);
        weightSum += w[i];
      }
      const size_t last = s.Magnitude.size() - 1;
      double power = std::pow(s.Magnitude[0], 2) + std::pow(s.Magnitude[last], 2);
      for (size_t k = 1; k < last; ++k) power += std::pow(s.Magnitude[k], 2) / 2;
      EXPECT_NEAR(power, double(s.FftSize) * weighted / (weightSum * weightSum), 1e-5 * power)
          << n << " " << int(window);
    }
  }
}

TEST(Spectrum, AnyLengthIsPaddedWithoutChangingTheLine) {
  // 1001 = 7 * 11 * 13 needs padding; the sine keeps its amplitude and frequency.
  const TSpectrum s = ComputeSpectrum(Sine(1001, 0.123, 3), {fwHann, msLinear, 2000});
  EXPECT_GE(s.FftSize, 1001u);
  EXPECT_LE(s.FftSize, 1100u);
  EXPECT_DOUBLE_EQ(s.Frequency[1], 2000.0 / double(s.FftSize));
  EXPECT_DOUBLE_EQ(s.Frequency.back(), 1000);
  EXPECT_NEAR(s.Peak.Frequency, 246, 1e-3);
  EXPECT_NEAR(s.Peak.Amplitude, 3, 1e-4);
}

TEST(Spectrum, SilenceIsZeroAndFiniteInDecibels) {
  const std::vector<double> constant(512, 1e6);
  const TSpectrum linear = ComputeSpectrum(constant, {}),
                  decibel = ComputeSpectrum(constant, {fwBlackman, msDecibel});
  EXPECT_EQ(linear.Magnitude, std::vector<double>(257, 0.0));
  EXPECT_EQ(decibel.Magnitude, std::vector<double>(257, DecibelFloor));
  EXPECT_EQ(linear.Peak.Amplitude, 0);
}

TEST(Spectrum, BadInputIsRefusedWithAMessage) {
  EXPECT_EQ(ErrorOf([] { ComputeSpectrum(std::vector<double>{1}, {}); }),
            "Für ein Spektrum sind mindestens 2 Werte nötig");
  EXPECT_EQ(ErrorOf([] {
              ComputeSpectrum(std::vector<double>(8), {fwHann, msLinear, -50});
            }),
            "Die Abtastrate muss größer als 0 Hz sein, nicht -50");
  for (size_t length : {1000, 128, 131072}) {
    EXPECT_EQ(
        ErrorOf([&] { TRealtimeSpectrum(length, {}); }),
        "Die Länge muss eine Zweierpotenz von 256 bis 65536 sein, nicht " + std::to_string(length));
  }
}

TEST(RealtimeSpectrum, CoversTheNewestSamplesInOrder) {
  TRealtimeSpectrum realtime(1024, {fwHann, msDecibel, 100});
  EXPECT_FALSE(realtime.Update());
  const std::vector<double> x = Noise(5000);
  for (double v : x) realtime.Push(v);
  ASSERT_TRUE(realtime.Update());
  const TSpectrum expected = ComputeSpectrum(std::span(x).last(1024), {fwHann, msDecibel, 100});
  ASSERT_EQ(realtime.Magnitude().size(), expected.Magnitude.size());
  for (size_t k = 0; k < expected.Magnitude.size(); ++k)
    EXPECT_NEAR(realtime.Magnitude()[k], expected.Magnitude[k], 1e-3) << k;
  EXPECT_EQ(realtime.Frequency().back(), 50);

  // While filling, the spectrum covers what has arrived.
  realtime.Clear();
  realtime.SetOptions({});
  for (double v : Sine(300, 0.1, 2, 7)) realtime.Push(v);
  ASSERT_TRUE(realtime.Update());
  EXPECT_NEAR(realtime.Peak().Frequency, 0.1, 1e-6);
  EXPECT_NEAR(realtime.Peak().Amplitude, 2, 1e-4);
}

TEST(RealtimeSpectrum, PushAndUpdateAllocateNothing) {
  TRealtimeSpectrum realtime(4096, {});
  const std::vector<double> x = Sine(10000, 0.01, 1);
  const size_t before = AllocationCount();
  for (size_t i = 0; i < x.size(); ++i) {
    realtime.Push(x[i]);
    if (i % 17 == 0) realtime.Update();
    if (i == 5000) realtime.SetOptions({fwBlackman, msDecibel, 1000});
  }
  EXPECT_EQ(AllocationCount(), before);
}

}  // namespace
