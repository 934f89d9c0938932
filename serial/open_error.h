#pragma once
// The text of the report when a port cannot be opened.

#include <string>
#include <string_view>

// The system's reason, at most 255 characters, without the trailing control characters,
// blanks and periods that system texts end with.
std::string TrimSystemText(std::string_view text);

// "Device "<port>" Open Error !!!" and, after a lone carriage return, the trimmed reason,
// followed by " - " and the detail when there is one; otherwise by ": " and the device
// file when the port name does not say which file was tried (COM3 is /dev/ttyS2).
std::string OpenErrorMessage(std::string_view portName, std::string_view systemText, std::string_view deviceFile,
                             std::string_view detail);
