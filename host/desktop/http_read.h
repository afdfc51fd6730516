// The program's one way of reading a document over HTTP: a plain GET on the
// caller's thread, shaped the way the notice server expects it.
#pragma once

#include <chrono>
#include <cstddef>

#include "core/text.h"

struct HttpReadBounds {
  std::chrono::milliseconds connect{10'000};
  std::chrono::milliseconds whole{30'000};
  std::size_t maxBody = 8u << 20;  // 8 MiB
  long maxRedirects = 10;
};

// One GET of a whole document. Absent Bytes when nothing arrived.
// The body comes back whatever the HTTP status. A read that breaks off, or is
// cut by one of the bounds, keeps the part that arrived. Zero or negative time
// bounds mean "as short as possible", never "unbounded".
Bytes HttpReadDocument(const Text& url, const HttpReadBounds& bounds = {});
