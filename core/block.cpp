#include "core/block.h"

#include <cstring>
#include <limits>
#include <utility>

#include "core/host.h"

Block Block::Allocate(std::size_t length) {
  // Lengths are 32-bit; a longer value cannot be held, which is the same
  // situation as memory that cannot be obtained.
  if (length > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 1)) OutOfMemory();
  Block block;
  block.data_ = new char[length + 1];
  block.data_[length] = '\0';
  block.length_ = static_cast<std::int32_t>(length);
  block.owned_ = true;
  return block;
}

Block Block::Copy(std::string_view bytes) {
  Block block = Allocate(bytes.size());
  if (!bytes.empty()) std::memcpy(block.data_, bytes.data(), bytes.size());
  return block;
}

Block Block::Constant(const char* bytes, std::size_t length) noexcept {
  Block block;
  block.data_ = const_cast<char*>(bytes);  // never written: owned_ stays false
  block.length_ = static_cast<std::int32_t>(length);
  return block;
}

Block::Block(const Block& other)
    : Block(other.owned_ ? Copy({other.data_, static_cast<std::size_t>(other.length_)})
                         : Constant(other.data_, static_cast<std::size_t>(other.length_))) {}

Block::Block(Block&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      length_(std::exchange(other.length_, 0)),
      owned_(std::exchange(other.owned_, false)) {}

Block& Block::operator=(const Block& other) {
  if (this != &other) *this = Block(other);  // the new value first, then the old one goes
  return *this;
}

Block& Block::operator=(Block&& other) noexcept {
  if (this == &other) return *this;
  if (owned_) delete[] data_;
  data_ = std::exchange(other.data_, nullptr);
  length_ = std::exchange(other.length_, 0);
  owned_ = std::exchange(other.owned_, false);
  return *this;
}

Block::~Block() {
  if (owned_) delete[] data_;
}
