#include <cstddef>
#include <cstdint>

#include "fuzz/number_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckNumberInput({data, size});
  return 0;
}
