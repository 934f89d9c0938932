#include "acquisition/auto_line_split.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "acquisition/channel_table.h"
#include "acquisition/sample_reading.h"

namespace {

bool IsHardSeparator(char c) { return c == ',' || c == ';' || c == '\t'; }
bool IsNameMark(char c) { return c == ':' || c == '='; }

void AddField(std::string_view line, size_t begin, size_t end, TAutoFields& out) {
  const int32_t position = out.Count + 1;
  if (out.Count == kMaxAutoFields) {
    out.Truncated = true;
    return;
  }
  TAutoField& f = out.Fields[size_t(out.Count++)];
  const std::string_view text = TrimControls(line.substr(begin, end - begin));
  const size_t mark = text.find_first_of(":=");
  if (mark == std::string_view::npos) {
    f.Name = {};
    f.Text = text;
  } else {
    f.Name = TrimControls(text.substr(0, mark));
    f.Text = TrimControls(text.substr(mark + 1));
  }
  f.Position = position;
  f.IsNumber = ReadWholeNumber(f.Text, f.Number);
}

// The length of the UTF-8 sequence at text[i] that is not ASCII (a "°", "µ" or an
// umlaut in a name); 0 when the bytes are no such sequence, as a reset's garbage is not.
size_t Utf8SequenceAt(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// A plausible column name: a letter first, then letters, digits, blanks and the marks
// of units and indices; short.
bool IsNameToken(std::string_view text) {
  if (text.empty() || text.size() > kMaxChannelNameLength) return false;
  if (!std::isalpha(static_cast<unsigned char>(text[0])) && Utf8SequenceAt(text, 0) == 0) return false;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (!std::isalnum(c) && std::string_view(" _-.()[]/%#").find(char(c)) == std::string_view::npos) return false;
      ++i;
      continue;
    }
    const size_t length = Utf8SequenceAt(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// A header such as "time,temp,hum" or "Zeit (ms);Höhe µm": split at ";", "," and tabs
// only, for its names may hold blanks; every field a name. Fills out with the names.
bool ReadHeader(std::string_view text, TAutoFields& out) {
  out.Count = 0;
  size_t begin = 0;
  while (begin <= text.size()) {
    const size_t end = std::min(text.find_first_of(",;\t", begin), text.size());
    if (out.Count == kMaxAutoFields) return false;
    TAutoField& f = out.Fields[size_t(out.Count++)];
    f = TAutoField();
    f.Text = TrimControls(text.substr(begin, end - begin));
    f.Position = out.Count;
    if (!IsNameToken(f.Text)) return false;
    begin = end + 1;
  }
  return out.Count >= 2;
}

}  // namespace

TAutoLineKind SplitAutoLine(std::string_view line, TAutoFields& out) {
  out.Count = 0;
  out.Truncated = false;
  out.HardSeparators = false;
  const std::string_view text = TrimControls(line);
  if (text.empty()) return alBlank;
  const size_t n = text.size();
  size_t begin = 0;
  size_t i = 0;
  while (i < n) {
    const char c = text[i];
    if (IsHardSeparator(c)) {
      AddField(text, begin, i, out);
      out.HardSeparators = true;
      ++i;
      while (i < n && text[i] == ' ') ++i;
      begin = i;
    } else if (c == ' ') {
      size_t next = i;
      while (next < n && text[next] == ' ') ++next;
      // The text is trimmed, so a run of spaces always has a character on each side.
      const bool separates = !IsHardSeparator(text[next]) && !IsNameMark(text[next]) && !IsNameMark(text[i - 1]);
      if (separates) {
        AddField(text, begin, i, out);
        begin = next;
      }
      i = next;
    } else {
      ++i;
    }
  }
  AddField(text, begin, n, out);

  for (int32_t k = 0; k < out.Count; ++k) {
    if (out.Fields[size_t(k)].IsNumber) return alSample;
  }
  if (out.HardSeparators && ReadHeader(text, out)) return alHeader;
  return alSkipped;
}

bool LooksLikeData(const TAutoFields& fields) {
  constexpr size_t kMaxWordLength = 3;
  for (int32_t i = 0; i < fields.Count; ++i) {
    const TAutoField& f = fields.Fields[size_t(i)];
    if (f.IsNumber || f.Text.empty()) continue;
    if (!f.Name.empty() || f.Text.size() > kMaxWordLength) return false;
    for (const char c : f.Text) {
      if (std::isdigit(static_cast<unsigned char>(c))) return false;
    }
  }
  return true;
}

bool ReadWholeNumber(std::string_view text, double& value) {
  const char* first = text.data();
  const char* const last = first + text.size();
  // from_chars takes no "+", which printf("%+f") writes.
  if (first != last && *first == '+') {
    ++first;
    if (first != last && *first == '-') return false;
  }
  if (first == last) return false;
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && std::isfinite(value);
}
