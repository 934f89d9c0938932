#pragma once
// The strongest line of an amplitude spectrum, located between the bins.

#include <cstddef>
#include <span>

struct TSpectralPeak {
  size_t Bin = 0;        // the highest bin, DC (bin 0) never counted
  double Frequency = 0;  // refined between bins
  double Amplitude = 0;  // refined, in the signal's units (linear)
};

// weighted: the block after mean removal and window, without its zero padding;
// amplitude: bins 0..M/2 of its transform padded to M, scaled as the spectrum is (a sine of
// amplitude A on a bin shows A); windowSum: the sum of the window's weights;
// sampleRate: Hz, or 1 for frequencies in cycles per sample.
//
// A parabola through the decibel values of the highest bin and its neighbours gives a
// first estimate; the block's transform is then evaluated directly at that frequency and a
// tenth of a bin either side, and again a hundredth of a bin either side of the vertex found,
// each time taking the vertex of the parabola through the three. The highest bin alone can
// lose up to 1.42 dB (Hann) to 3.92 dB (rectangular) between two bins; the refined peak of
// a lone sine misses by the leakage of its mirror image only. 100 bins above DC that is
// 1e-6 bin and 1e-5 dB with Hann or Blackman, 1e-3 bin and 0.002 dB with Hamming, 2e-3 bin
// and 0.02 dB rectangular; ten times as much 10 bins above DC, less further up.
// At the Nyquist bin the bin is taken as it is.
TSpectralPeak FindPeak(std::span<const float> weighted, std::span<const double> amplitude,
                       double windowSum, double sampleRate);
