#pragma once
// Chart texts (captions, channel names) are 8-bit strings of the Windows code page; the
// window's texts are Unicode. Characters the code page lacks become "?".

#include <QString>
#include <string>
#include <string_view>

std::string ToChartText(const QString& text);
QString FromChartText(std::string_view text);
