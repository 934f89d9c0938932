#pragma once
// Session files of any content: loaded into the main window's chart and painted.

#include <cstdint>
#include <span>

// Writes the bytes as a session file, loads it, paints the items through the Qt canvas,
// draws them again incrementally, and checks that the chart holds exactly the file's whole
// records and saves them back unchanged. The piece behind the last whole record, which
// loading skips, chooses the view: logarithmic axes, the grid, a second load that appends,
// and now and then a bitmap export. Raises EFuzzFinding when the items or the saved file
// differ from the records; any other error leaving here is a fault.
void CheckGraphFileInput(std::span<const uint8_t> input);
