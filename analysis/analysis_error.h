#pragma once
// Failures of the analysis code: a parameter the user chose that no spectrum or filter can
// be built from. The message is German and meant for the user as it stands.

#include <stdexcept>

class EAnalysisError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
