#include "acquisition/auto_line_split.h"

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

// A plausible channel name: starts with a letter or "_", printable, short.
bool IsNameToken(std::string_view text) {
  if (text.empty() || text.size() > kMaxChannelNameLength) return false;
  const auto first = static_cast<unsigned char>(text[0]);
  if (!(std::isalpha(first) || first == '_' || first >= 0x80)) return false;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) return false;
  }
  return true;
}

bool IsHeader(const TAutoFields& fields) {
  if (fields.Count < 2 || !fields.HardSeparators || fields.Truncated) return false;
  for (int32_t i = 0; i < fields.Count; ++i) {
    const TAutoField& f = fields.Fields[size_t(i)];
    if (!f.Name.empty() || !IsNameToken(f.Text)) return false;
  }
  return true;
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
  return IsHeader(out) ? alHeader : alSkipped;
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
