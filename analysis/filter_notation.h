#pragma once
// The compact filter notation of the command line (--filter): the kind and its
// parameters separated by ":", numbers with "." as the decimal separator, no blanks.
//   ma:L               moving average over L samples (2..100000)
//   median:L           median of L samples (odd, 3..101)
//   lp1:F              first-order low pass, -3 dB at F
//   hp1:F              first-order high pass, -3 dB at F
//   butter-lp:N:F      Butterworth low pass of order N (2..8), -3 dB at F
//   butter-hp:N:F      Butterworth high pass of order N (2..8), -3 dB at F
//   butter-bp:N:F1:F2  Butterworth band pass, -3 dB at F1 and F2; N (2..8) is the order
//                      of its low-pass prototype, so it has 2N poles
// A frequency F is in cycles per sample (0 < F < 0.5), or in Hz when it ends in "Hz"
// ("50Hz"), which needs the sample rate; the frequencies of one filter are all in the same
// unit. Examples: "butter-lp:4:0.05", "butter-bp:2:45Hz:55Hz", "median:5".

#include <string_view>

#include "analysis/filter_design.h"

// sampleRate in Hz, 0 when unknown. Throws EAnalysisError with a German message for text
// that names no filter or a filter that cannot be built.
TFilterDesign ParseFilterNotation(std::string_view text, double sampleRate);
