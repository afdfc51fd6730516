#include "core/text_routines.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

unsigned char FoldAscii(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool MatchesAt(const Text& text, std::int32_t offset, const Text& sought, bool ignoreCase) {
  for (std::int32_t i = 0; i < sought.Length(); ++i) {
    unsigned char a = text.At(offset + i);
    unsigned char b = sought.At(i);
    if (ignoreCase) {
      a = FoldAscii(a);
      b = FoldAscii(b);
    }
    if (a != b) return false;
  }
  return true;
}

// Offset where a scan that starts at 1-based position `start` begins.
std::int32_t FirstOffset(std::optional<std::int32_t> start) {
  if (!start) return 0;
  return *start > 1 ? *start - 1 : 0;
}

}  // namespace

Text JoinTextList(std::initializer_list<const Text*> texts) {
  std::size_t total = 0;  // measured first, so the result is allocated once
  for (const Text* text : texts) total += static_cast<std::size_t>(text->Length());
  Text joined = Text::Allocate(total);
  char* out = joined.Buffer();
  for (const Text* text : texts) {
    std::memcpy(out, text->CString(), static_cast<std::size_t>(text->Length()));
    out += text->Length();
  }
  return joined;
}

int CompareTexts(const Text& a, const Text& b) {
  // CString() of an absent text is "", so absent and "" compare alike.
  const int order = std::strcmp(a.CString(), b.CString());  // strcmp compares as unsigned char
  return (order > 0) - (order < 0);
}

std::int32_t TextByteLength(const Text& text) { return text.Length(); }

std::int64_t TruncateTowardZero(double value) {
  // Values beyond the 64-bit range (and NaN) have no integer part to keep;
  // clamp rather than let the conversion be undefined.
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775807.0) return std::numeric_limits<std::int64_t>::max();
  if (value <= -9223372036854775808.0) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

std::int32_t SearchText(const Text& text, const Text& sought,
                        std::optional<std::int32_t> start, bool ignoreCase) {
  const std::int32_t length = text.Length();
  std::int32_t offset = FirstOffset(start);
  std::int32_t remaining = offset < length ? length - offset : 0;
  if (sought.IsEmpty()) return remaining > 0 ? 1 : -1;
  while (remaining >= sought.Length()) {
    if (MatchesAt(text, offset, sought, ignoreCase)) return offset + 1;
    if (IsLeadByte(text.At(offset))) {
      if (offset + 1 >= length) return -1;  // a lead byte with no trail byte ends the text
      offset += 2;
      remaining -= 2;
    } else {
      offset += 1;
      remaining -= 1;
    }
  }
  return -1;
}

Text ReplaceText(const Text& text, const Text& sought, const Text& replacement,
                 std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                 bool caseSensitive) {
  if (text.IsEmpty() || sought.IsEmpty()) return text;
  const std::int32_t length = text.Length();
  std::int32_t offset = std::min(FirstOffset(start), length);
  std::int32_t left = count.value_or(-1);  // negative: no limit
  std::string result(text.View().substr(0, static_cast<std::size_t>(offset)));
  while (left != 0 && length - offset >= sought.Length()) {
    if (MatchesAt(text, offset, sought, !caseSensitive)) {
      result.append(replacement.View());
      offset += sought.Length();
      if (left > 0) --left;
      continue;
    }
    const std::int32_t step = (IsLeadByte(text.At(offset)) && offset + 1 < length) ? 2 : 1;
    result.append(text.View().substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(step)));
    offset += step;
  }
  result.append(text.View().substr(static_cast<std::size_t>(offset)));
  return Text(result);
}

Text LeftPart(const Text& text, std::int32_t count) {
  if (count <= 0) return Text();
  return Text(text.View().substr(0, static_cast<std::size_t>(std::min(count, text.Length()))));
}

Text RightPart(const Text& text, std::int32_t count) {
  if (count <= 0) return Text();
  const std::int32_t taken = std::min(count, text.Length());
  return Text(text.View().substr(static_cast<std::size_t>(text.Length() - taken)));
}

Text TextFromBytes(const Bytes& bytes) {
  return Text(bytes.View());  // Text keeps what lies before the first NUL
}
