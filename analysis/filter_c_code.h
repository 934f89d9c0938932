#pragma once
// A recursive filter as C code for the firmware: its second-order sections as an array of
// single-precision coefficients, a state type and a step function, under a comment with
// the design.

#include <string>

#include "analysis/filter_design.h"

// Throws EAnalysisError for a bad design and for the moving average and the median, which
// have no sections.
std::string FilterCCode(const TFilterDesign& design);
