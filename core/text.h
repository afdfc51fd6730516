// Text and Bytes: the program's two value types.
//
// Text holds bytes in the ANSI code page (GBK), never a NUL inside. The empty
// text and the absent text (no storage) are the same value everywhere.
// Literal texts ("..."_t) are shared constants: copying one copies the view,
// never the bytes, and releasing one does nothing.
// Bytes is a counted block that may hold NULs (HTTP bodies, carried data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "core/block.h"

class Text {
 public:
  Text() noexcept = default;  // absent
  // Copies the bytes up to the first NUL; an empty view gives the absent text.
  explicit Text(std::string_view bytes);
  // A new text of `length` bytes with storage of its own, also for length 0;
  // the caller fills it through Buffer(). The terminating NUL is written here.
  static Text Allocate(std::size_t length);
  // A view of a constant that outlives every use (literals, carried data).
  static Text Constant(const char* bytes, std::size_t length) noexcept;

  std::int32_t Length() const noexcept { return block_.Length(); }
  bool IsEmpty() const noexcept { return block_.Length() == 0; }
  bool HasStorage() const noexcept { return block_.Data() != nullptr; }
  bool IsConstant() const noexcept { return HasStorage() && !block_.Owned(); }
  // Always a valid zero-terminated string; "" for the absent text.
  const char* CString() const noexcept { return HasStorage() ? block_.Data() : ""; }
  std::string_view View() const noexcept { return {CString(), static_cast<std::size_t>(Length())}; }
  unsigned char At(std::int32_t offset) const noexcept {
    return static_cast<unsigned char>(block_.Data()[offset]);
  }
  char* Buffer() noexcept { return block_.Owned() ? block_.Data() : nullptr; }

 private:
  explicit Text(Block block) noexcept : block_(std::move(block)) {}
  Block block_;
};

Text operator""_t(const char* bytes, std::size_t length) noexcept;

class Bytes {
 public:
  Bytes() noexcept = default;  // absent, length 0
  explicit Bytes(std::string_view block);  // copies; may hold NULs
  static Bytes Constant(const unsigned char* data, std::size_t length) noexcept;

  std::int32_t Length() const noexcept { return block_.Length(); }
  bool IsEmpty() const noexcept { return block_.Length() == 0; }
  const unsigned char* Data() const noexcept {
    return reinterpret_cast<const unsigned char*>(block_.Data());
  }
  std::string_view View() const noexcept {
    return {block_.Data(), static_cast<std::size_t>(block_.Length())};
  }

 private:
  explicit Bytes(Block block) noexcept : block_(std::move(block)) {}
  Block block_;
};
