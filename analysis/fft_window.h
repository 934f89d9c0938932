#pragma once
// Window functions that taper a block of samples before its Fourier transform, so that a
// frequency between two bins leaks little into the others.

#include <cstdint>
#include <span>

// Periodic ("DFT-even") forms. Highest side lobe and the loss of a sine's amplitude halfway
// between two bins (scalloping): Hann -31 dB / 1.42 dB, Hamming -43 dB / 1.75 dB,
// Blackman -58 dB / 1.10 dB, rectangular -13 dB / 3.92 dB.
enum TFftWindow : uint8_t { fwHann, fwHamming, fwBlackman, fwRectangular };

// Fills weights with the window over weights.size() samples.
void FillWindow(TFftWindow window, std::span<double> weights);
