#pragma once
// Structural errors of the chart (joint layers, logarithmic axes, session files).

#include <stdexcept>

class EGChartError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
