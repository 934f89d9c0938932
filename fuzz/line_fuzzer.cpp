#include <cstddef>
#include <cstdint>

#include "fuzz/line_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckLineInput({data, size});
  return 0;
}
