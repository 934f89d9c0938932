#pragma once

#include <stdexcept>

// A failure of the simulator's pseudo-terminal; the text gives the system's reason.
class ESimError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
