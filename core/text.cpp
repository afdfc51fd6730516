#include "core/text.h"

#include <cstring>
#include <limits>
#include <new>

#include "core/host.h"

namespace {

std::int32_t CheckedLength(std::size_t length) {
  // Lengths are 32-bit; a longer value cannot be held, which is the same
  // situation as memory that cannot be obtained.
  if (length > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 1)) OutOfMemory();
  return static_cast<std::int32_t>(length);
}

std::size_t BytesBeforeNul(const char* bytes, std::size_t length) {
  if (length == 0) return 0;  // an empty view may have no data at all
  const void* nul = std::memchr(bytes, 0, length);
  return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : length;
}

}  // namespace

Text::Text(std::string_view bytes) {
  const std::size_t length = BytesBeforeNul(bytes.data(), bytes.size());
  if (length == 0) return;
  *this = Allocate(CheckedLength(length));
  std::memcpy(data_, bytes.data(), length);
}

Text Text::Allocate(std::int32_t length) {
  Text text;
  text.data_ = new char[static_cast<std::size_t>(length) + 1];
  text.data_[length] = '\0';
  text.length_ = length;
  text.owned_ = true;
  return text;
}

Text Text::Constant(const char* bytes, std::size_t length) noexcept {
  Text text;
  text.data_ = const_cast<char*>(bytes);  // never written: owned_ stays false
  text.length_ = static_cast<std::int32_t>(BytesBeforeNul(bytes, length));
  return text;
}

Text::Text(const Text& other) {
  if (!other.owned_) {
    data_ = other.data_;
    length_ = other.length_;
    return;
  }
  *this = Allocate(other.length_);
  std::memcpy(data_, other.data_, static_cast<std::size_t>(length_));
}

Text::Text(Text&& other) noexcept
    : data_(other.data_), length_(other.length_), owned_(other.owned_) {
  other.data_ = nullptr;
  other.length_ = 0;
  other.owned_ = false;
}

Text& Text::operator=(const Text& other) {
  if (this != &other) *this = Text(other);  // new value first, then the old one goes
  return *this;
}

Text& Text::operator=(Text&& other) noexcept {
  if (this == &other) return *this;
  if (owned_) delete[] data_;
  data_ = other.data_;
  length_ = other.length_;
  owned_ = other.owned_;
  other.data_ = nullptr;
  other.length_ = 0;
  other.owned_ = false;
  return *this;
}

Text::~Text() {
  if (owned_) delete[] data_;
}

Text operator""_t(const char* bytes, std::size_t length) noexcept {
  return Text::Constant(bytes, length);
}

Bytes::Bytes(std::string_view block) {
  if (block.empty()) return;
  length_ = CheckedLength(block.size());
  data_ = new unsigned char[block.size()];
  owned_ = true;
  std::memcpy(data_, block.data(), block.size());
}

Bytes Bytes::Constant(const unsigned char* data, std::size_t length) noexcept {
  Bytes bytes;
  bytes.data_ = const_cast<unsigned char*>(data);  // never written: owned_ stays false
  bytes.length_ = static_cast<std::int32_t>(length);
  return bytes;
}

Bytes::Bytes(const Bytes& other) {
  if (other.owned_) {
    *this = Bytes(other.View());
  } else {
    data_ = other.data_;
    length_ = other.length_;
  }
}

Bytes::Bytes(Bytes&& other) noexcept
    : data_(other.data_), length_(other.length_), owned_(other.owned_) {
  other.data_ = nullptr;
  other.length_ = 0;
  other.owned_ = false;
}

Bytes& Bytes::operator=(const Bytes& other) {
  if (this != &other) *this = Bytes(other);
  return *this;
}

Bytes& Bytes::operator=(Bytes&& other) noexcept {
  if (this == &other) return *this;
  if (owned_) delete[] data_;
  data_ = other.data_;
  length_ = other.length_;
  owned_ = other.owned_;
  other.data_ = nullptr;
  other.length_ = 0;
  other.owned_ = false;
  return *this;
}

Bytes::~Bytes() {
  if (owned_) delete[] data_;
}
