#include "host/desktop/http_read.h"

#include <curl/curl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace {

// The notice server tells clients apart by these; keep them byte for byte.
constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr const char* kRequestHeaders[] = {
    "Accept: */*",
    "Pragma: no-cache",
    "Cache-Control: no-cache",
};

struct EasyCleanup {
  void operator()(CURL* handle) const noexcept { curl_easy_cleanup(handle); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using HeaderList = std::unique_ptr<curl_slist, ListCleanup>;

void InitialiseCurlOnce() {
  static std::once_flag once;
  // curl_global_init is not thread-safe itself; doing it here rather than
  // implicitly in curl_easy_init keeps it to one place.
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Body {
  std::string bytes;
  std::size_t limit = 0;
};

std::size_t KeepBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* body = static_cast<Body*>(user);
  const std::size_t offered = size * count;  // curl guarantees size == 1
  const std::size_t room = body->limit - body->bytes.size();
  const std::size_t taken = std::min(offered, room);
  body->bytes.append(data, taken);
  // Once the bound is reached there is nothing left to wait for: a count
  // other than `offered` makes curl stop the transfer, keeping what we have.
  if (offered != 0 && body->bytes.size() == body->limit) return 0;
  return offered;
}

// curl reads 0 as "no timeout"; a zero bound must stay a bound.
long TimeoutMs(std::chrono::milliseconds bound) {
  const auto ms = bound.count();
  if (ms < 1) return 1;
  if (ms > LONG_MAX) return LONG_MAX;
  return static_cast<long>(ms);
}

// The fragment belongs to the reader, not the server. Cut it here rather than
// relying on curl: its URL parser may reject characters a fragment can hold.
std::string WithoutFragment(std::string_view url) {
  return std::string(url.substr(0, url.find('#')));
}

}  // namespace

Bytes HttpReadDocument(const Text& url, const HttpReadBounds& bounds) {
  const std::string address = WithoutFragment(url.View());
  if (address.empty()) return Bytes();

  InitialiseCurlOnce();
  EasyHandle handle(curl_easy_init());
  if (!handle) return Bytes();

  HeaderList headers;
  for (const char* line : kRequestHeaders) {
    curl_slist* longer = curl_slist_append(headers.get(), line);
    if (!longer) return Bytes();
    headers.release();  // now owned through `longer`
    headers.reset(longer);
  }

  // Bytes lengths are 32-bit.
  constexpr std::size_t kLargestBytes =
      static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 1);
  Body body;
  body.limit = std::min(bounds.maxBody, kLargestBytes);

  CURL* const h = handle.get();
  bool set = true;
  auto option = [&set](CURLcode result) { set = set && result == CURLE_OK; };
  option(curl_easy_setopt(h, CURLOPT_URL, address.c_str()));
  option(curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https"));
  option(curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"));
  option(curl_easy_setopt(h, CURLOPT_HTTPGET, 1L));
  option(curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0)));
  option(curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent));
  option(curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get()));
  // Always direct: proxy variables in the environment must not reroute it.
  option(curl_easy_setopt(h, CURLOPT_PROXY, ""));
  option(curl_easy_setopt(h, CURLOPT_NOPROXY, "*"));
  // The body is wanted as the server sent it, so nothing is asked to be
  // compressed and nothing is decoded.
  option(curl_easy_setopt(h, CURLOPT_HTTP_CONTENT_DECODING, 0L));
  option(curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L));
  // curl reads -1 as "unlimited"; a negative bound allows no redirect.
  option(curl_easy_setopt(h, CURLOPT_MAXREDIRS, std::max(0L, bounds.maxRedirects)));
  option(curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, TimeoutMs(bounds.connect)));
  option(curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, TimeoutMs(bounds.whole)));
  option(curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L));
  option(curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &KeepBody));
  option(curl_easy_setopt(h, CURLOPT_WRITEDATA, &body));
  if (!set) return Bytes();

  // The outcome code does not matter: whatever body arrived is the answer,
  // also when the read broke off or a bound cut it.
  curl_easy_perform(h);
  return Bytes(body.bytes);
}
