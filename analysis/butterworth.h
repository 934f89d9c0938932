#pragma once
// Butterworth and first-order filters as cascades of second-order sections, designed from
// the analog prototype by the bilinear transform. The cutoffs are prewarped, so the
// digital filter's -3 dB points lie exactly at the cutoffs given, and its magnitude is
// the analog one on the warped axis tan(pi f):
//   low pass  |H|^2 = 1 / (1 + (tan(pi f) / tan(pi fc))^2n)
//   high pass |H|^2 = 1 / (1 + (tan(pi fc) / tan(pi f))^2n)
//   band pass |H|^2 = 1 / (1 + ((W^2 - W0^2) / (B W))^2n), W = tan(pi f),
//             W0^2 = tan(pi f1) tan(pi f2), B = tan(pi f2) - tan(pi f1)
// Each section has gain 1 where the whole filter has: at DC for the low pass, at half the
// sample rate for the high pass, at the band's centre W0 for the band pass.

#include <vector>

#include "analysis/biquad.h"
#include "analysis/filter_design.h"

// Throws EAnalysisError for a bad design and for the kinds that are not recursive
// (IsRecursive).
// Sections: ceil(n / 2) for low and high pass of order n, n for the band pass.
std::vector<TBiquad> DesignSections(const TFilterDesign& design);
