// The program's own text routines and the text operations it relies on.
// Positions are 1-based byte offsets, -1 means not found; an absent text
// counts as "" everywhere. Scanning by characters follows the double-byte
// rule: a byte of 0x80 or more leads a two-byte character.
#pragma once

#include <cstdint>
#include <concepts>
#include <initializer_list>
#include <optional>

#include "core/text.h"

// All texts one after another, in a new text with storage of its own:
// JoinTexts(a, b, ...), one text at least.
Text JoinTextList(std::initializer_list<const Text*> texts);
template <typename... Texts>
  requires(sizeof...(Texts) >= 1 && (std::same_as<Texts, Text> && ...))
Text JoinTexts(const Texts&... texts) {
  return JoinTextList({&texts...});
}
// -1, 0 or +1, byte-wise unsigned, no folding.
int CompareTexts(const Text& a, const Text& b);
std::int32_t TextByteLength(const Text& text);
std::int64_t TruncateTowardZero(double value);

std::int32_t SearchText(const Text& text, const Text& sought,
                        std::optional<std::int32_t> start, bool ignoreCase);
// start: where replacing may begin (1-based, bytes before it are kept);
// count: how many occurrences at most; both omitted means all of them.
Text ReplaceText(const Text& text, const Text& sought, const Text& replacement,
                 std::optional<std::int32_t> start, std::optional<std::int32_t> count,
                 bool caseSensitive);
Text LeftPart(const Text& text, std::int32_t count);
Text RightPart(const Text& text, std::int32_t count);
Text TextFromBytes(const Bytes& bytes);
