// The storage behind Text and Bytes: a counted run of bytes that is either
// owned (copied when the value is copied, freed with it) or a view of a
// constant (shared, never freed). Owned storage always ends in a NUL, one
// byte past the length, so a Text can hand out a C string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class Block {
 public:
  Block() noexcept = default;
  // Owned storage of `length` bytes plus the terminating NUL, contents unset.
  static Block Allocate(std::size_t length);
  static Block Copy(std::string_view bytes);
  static Block Constant(const char* bytes, std::size_t length) noexcept;

  Block(const Block& other);
  Block(Block&& other) noexcept;
  Block& operator=(const Block& other);
  Block& operator=(Block&& other) noexcept;
  ~Block();

  char* Data() const noexcept { return data_; }
  std::int32_t Length() const noexcept { return length_; }
  bool Owned() const noexcept { return owned_; }

 private:
  char* data_ = nullptr;
  std::int32_t length_ = 0;
  bool owned_ = false;
};
