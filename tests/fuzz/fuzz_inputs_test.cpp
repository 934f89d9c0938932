#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/graph_file_input.h"
#include "fuzz/line_input.h"
#include "fuzz/number_input.h"

namespace {

namespace fs = std::filesystem;

using TCheck = std::function<void(std::span<const uint8_t>)>;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the check on every seed of the target and every input it once crashed on.
void ReplayInputs(const std::string& target, const TCheck& check) {
  const fs::path root = TAVOLIX_SOURCE_DIR;
  int inputs = 0;
  for (const fs::path& folder : {root / "fuzz/seeds" / target, root / "tests/fuzz/regressions" / target}) {
    if (!fs::is_directory(folder)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      const std::vector<uint8_t> bytes = ReadBytes(entry.path());
      EXPECT_NO_THROW(check(bytes)) << entry.path();
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0) << "no inputs for " << target;
}

TEST(FuzzInputs, Lines) { ReplayInputs("line_fuzzer", CheckLineInput); }
TEST(FuzzInputs, Numbers) { ReplayInputs("number_fuzzer", CheckNumberInput); }
TEST(FuzzInputs, GraphFiles) { ReplayInputs("graph_file_fuzzer", CheckGraphFileInput); }

}  // namespace
