#pragma once
// Received bytes through line framing and the per-line routine, as an acquisition on the
// main window's chart takes them.

#include <cstdint>
#include <span>

// The first four bytes choose the acquisition: channels and mode, block size, scaling,
// ranges and sample limit; the rest arrives as the device's output. An overflow ends the
// processing of its line only. Raises EFuzzFinding when a store bound breaks; any other
// error but EOverflow leaving here is a fault.
void CheckLineInput(std::span<const uint8_t> input);
