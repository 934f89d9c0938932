#pragma once
// Numbers in texts for the user and in generated C code: always "." as the decimal
// separator, whatever locale the program runs in (Qt sets the C locale from the desktop,
// so printf would write a comma in German).

#include <string>

// The shortest text that reads back as the same double ("0.05", "500", "1e-07").
std::string ShortestText(double value);
