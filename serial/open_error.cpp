#include "serial/open_error.h"

namespace {

constexpr size_t MaxSystemText = 255;

bool IsTrailingJunk(char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7f' || c == '.'; }

}  // namespace

std::string TrimSystemText(std::string_view text) {
  text = text.substr(0, MaxSystemText);
  while (!text.empty() && IsTrailingJunk(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string OpenErrorMessage(std::string_view portName, std::string_view systemText, std::string_view deviceFile,
                             std::string_view detail) {
  std::string message = "Device \"";
  message += portName;
  message += "\" Open Error !!!\r";
  message += TrimSystemText(systemText);
  if (!detail.empty()) {
    message += " - ";
    message += detail;
  } else if (!deviceFile.empty() && deviceFile != portName) {
    message += ": ";
    message += deviceFile;
  }
  return message;
}
