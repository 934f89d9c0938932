#pragma once
// Numbers in texts for the user and in generated C code: always "." as the decimal
// separator, whatever locale the program runs in (Qt sets the C locale from the desktop,
// so printf would write a comma in German).

#include <string>

// The shortest text that reads back as the same double: plain digits from 1e-5 to 1e15
// ("0.05", "100000"), with an exponent beyond ("1e-07"); "nan", "inf" as they are.
std::string ShortestText(double value);
