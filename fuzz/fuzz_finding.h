#pragma once
// A broken invariant found while an input is checked. It is thrown, so that the fuzzer
// stops on the input and a test names what broke.

#include <stdexcept>

class EFuzzFinding : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline void Expect(bool holds, const char* what) {
  if (!holds) throw EFuzzFinding(what);
}
