#include <cstddef>
#include <cstdint>

#include "fuzz/graph_file_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckGraphFileInput({data, size});
  return 0;
}
