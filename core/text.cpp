#include "core/text.h"

#include <cstring>

namespace {

std::size_t BytesBeforeNul(const char* bytes, std::size_t length) {
  if (length == 0) return 0;  // an empty view may have no data at all
  const void* nul = std::memchr(bytes, 0, length);
  return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : length;
}

}  // namespace

Text::Text(std::string_view bytes) {
  const std::size_t length = BytesBeforeNul(bytes.data(), bytes.size());
  if (length > 0) block_ = Block::Copy(bytes.substr(0, length));
}

Text Text::Allocate(std::size_t length) { return Text(Block::Allocate(length)); }

Text Text::Constant(const char* bytes, std::size_t length) noexcept {
  return Text(Block::Constant(bytes, BytesBeforeNul(bytes, length)));
}

Text operator""_t(const char* bytes, std::size_t length) noexcept {
  return Text::Constant(bytes, length);
}

Bytes::Bytes(std::string_view block) {
  if (!block.empty()) block_ = Block::Copy(block);
}

Bytes Bytes::Constant(const unsigned char* data, std::size_t length) noexcept {
  return Bytes(Block::Constant(reinterpret_cast<const char*>(data), length));
}
