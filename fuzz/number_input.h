#pragma once
// Reading numbers from received text.

#include <cstdint>
#include <span>

// Reads the bytes as a number and checks what any text must give: never NaN, a stop
// position inside the text read, an unsigned mantissa when reading stopped early, and
// nothing read past a byte 0. When the input holds at least nine bytes, the first eight
// are also taken as a double: a finite one, written by std::to_chars in the form the
// ninth byte chooses, must read back complete and close to its value. Raises
// EFuzzFinding for the first broken rule.
void CheckNumberInput(std::span<const uint8_t> input);
