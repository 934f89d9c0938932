#pragma once
// The lines a received block completes, counted by their ends before the block is framed,
// so that the block's arrival time can be shared among them. afterCr carries a CR that
// ended the block before into the next one.

#include <cstddef>
#include <cstdint>

// CR LF ends, as the fixed channel modes frame them.
int64_t CountCrLfEnds(const uint8_t* data, size_t count, bool& afterCr);
// LF, CR LF or CR ends, as the "Auto" mode frames them; a CR LF is one end.
int64_t CountAnyEnds(const uint8_t* data, size_t count, bool& afterCr);
