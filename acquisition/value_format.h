#pragma once
// The text of a sample value as the window shows it: general format with 15 significant
// digits, trailing zeros removed, the locale's decimal separator; plain notation for
// 0.0001 <= |v| < 1e15, otherwise scientific ("1E20", "1,5E-5"); zero as "0".

#include <string>

// Appends the text of value to out; allocates nothing once out has room.
void AppendValueText(std::string& out, double value, char decimalSeparator);
