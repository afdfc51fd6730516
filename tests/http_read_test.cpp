// HttpReadDocument against servers this process starts on 127.0.0.1.
#include "host/desktop/http_read.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Caps that keep a misbehaving read from holding a test server for long; each
// stays well below the bounds the tests rely on being exceeded.
constexpr auto kServerLifetime = 25s;
constexpr auto kRequestWait = 3s;
constexpr auto kStallCap = 8s;
constexpr auto kStopGrace = 500ms;

// A bound large enough that only a missing or broken shorter bound reaches it.
constexpr auto kGenerous = 20s;

Text T(std::string_view s) { return Text(s); }

bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left <= 0ms) return false;
    pollfd p{fd, events, 0};
    const int ready = poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
    if (ready > 0) return true;
  }
}

// A socket bound to a loopback port with no listener: connections are refused.
class ClosedPort {
 public:
  ClosedPort() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~ClosedPort() { close(fd_); }
  ClosedPort(const ClosedPort&) = delete;
  ClosedPort& operator=(const ClosedPort&) = delete;

  std::uint16_t Port() const { return port_; }

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

struct Reply {
  std::string bytes;   // sent as is once the request head has arrived
  bool stall = false;  // then keep the connection open until the client hangs up
};

struct RawServerOptions {
  int backlog = 16;
  std::chrono::milliseconds acceptAfter{0};  // leave the accept queue alone until then
};

// Records each connection's raw request and answers the n-th connection with
// the n-th reply (the last one repeats). Stops at destruction at the latest;
// connections queued by then are still served and recorded.
class RawServer {
 public:
  explicit RawServer(std::vector<Reply> replies, RawServerOptions options = {})
      : replies_(std::move(replies)), options_(options) {
    listen_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listen_ < 0 || bind(listen_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listen_, options_.backlog) != 0 ||
        getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      ADD_FAILURE() << "cannot listen on 127.0.0.1";
      return;
    }
    fcntl(listen_, F_SETFL, fcntl(listen_, F_GETFL) | O_NONBLOCK);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
  }
  ~RawServer() {
    Stop();
    if (listen_ >= 0) close(listen_);
  }
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;

  std::uint16_t Port() const { return port_; }
  std::string Url(std::string_view target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
  }

  void Stop() {
    if (!thread_.joinable()) return;
    stop_ = true;
    thread_.join();
  }
  // These stop the server first, so everything the read caused is in.
  const std::vector<std::string>& Requests() {
    Stop();
    return requests_;
  }
  // Whether every stalled connection ended because the client hung up, rather
  // than because the server gave up waiting.
  bool ClientsHungUp() {
    Stop();
    return stalls_ > 0 && hangUps_ == stalls_;
  }

 private:
  void Run() {
    const auto started = Clock::now();
    const auto acceptFrom = started + options_.acceptAfter;
    while (!stop_ && Clock::now() < started + kServerLifetime) {
      if (Clock::now() < acceptFrom) {
        std::this_thread::sleep_for(10ms);
        continue;
      }
      if (!WaitFor(listen_, POLLIN, Clock::now() + 20ms)) continue;
      const int connection = accept(listen_, nullptr, nullptr);
      if (connection >= 0) Serve(connection);
    }
    for (int connection; (connection = accept(listen_, nullptr, nullptr)) >= 0;) Serve(connection);
  }

  void Serve(int connection) {
    std::string request;
    const auto deadline = Clock::now() + kRequestWait;
    while (request.find("\r\n\r\n") == std::string::npos && WaitFor(connection, POLLIN, deadline)) {
      char buffer[4096];
      const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    const Reply& reply = replies_[std::min(requests_.size(), replies_.size() - 1)];
    requests_.push_back(std::move(request));
    Send(connection, reply.bytes);
    if (reply.stall) {
      ++stalls_;
      if (WaitForHangUp(connection)) ++hangUps_;
    }
    close(connection);
  }

  static void Send(int connection, std::string_view bytes) {
    const auto deadline = Clock::now() + kStallCap;
    while (!bytes.empty() && WaitFor(connection, POLLOUT, deadline)) {
      const ssize_t sent = send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
      if (sent < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (sent <= 0) return;  // the client went away
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
  }

  bool WaitForHangUp(int connection) {
    const auto cap = Clock::now() + kStallCap;
    std::optional<Clock::time_point> graceEnd;
    while (Clock::now() < cap) {
      if (stop_ && !graceEnd) graceEnd = Clock::now() + kStopGrace;
      if (graceEnd && Clock::now() >= *graceEnd) return false;
      if (!WaitFor(connection, POLLIN, Clock::now() + 20ms)) continue;
      char buffer[4096];
      if (recv(connection, buffer, sizeof buffer, 0) <= 0) return true;
    }
    return false;
  }

  std::vector<Reply> replies_;
  RawServerOptions options_;
  int listen_ = -1;
  std::uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  // Touched by the server thread only until Stop() has joined it.
  std::vector<std::string> requests_;
  int stalls_ = 0;
  int hangUps_ = 0;
};

// cpp-httplib on an ephemeral loopback port, routes set before it starts.
class LibServer {
 public:
  explicit LibServer(const std::function<void(httplib::Server&)>& routes) {
    routes(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
      ADD_FAILURE() << "cannot listen on 127.0.0.1";
      return;
    }
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() only takes effect on a running server.
    const auto deadline = Clock::now() + 5s;
    while (!server_.is_running() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
  }
  ~LibServer() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }
  LibServer(const LibServer&) = delete;
  LibServer& operator=(const LibServer&) = delete;

  std::string Url(std::string_view target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
  }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

// Sets or unsets variables for one scope and puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment() = default;
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  void Set(const std::string& name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
      setenv(name.c_str(), value, 1);
    } else {
      unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

struct Request {
  std::string line;
  std::vector<std::pair<std::string, std::string>> headers;  // name lower-cased
  std::string afterHead;                                     // bytes past the blank line

  std::vector<std::string> Values(std::string_view lowerName) const {
    std::vector<std::string> values;
    for (const auto& [name, value] : headers) {
      if (name == lowerName) values.push_back(value);
    }
    return values;
  }
};

Request Parse(const std::string& raw) {
  Request request;
  const std::size_t headEnd = raw.find("\r\n\r\n");
  const std::string head = raw.substr(0, headEnd);
  if (headEnd != std::string::npos) request.afterHead = raw.substr(headEnd + 4);
  std::size_t start = 0;
  bool first = true;
  while (start <= head.size()) {
    std::size_t end = head.find("\r\n", start);
    if (end == std::string::npos) end = head.size();
    const std::string line = head.substr(start, end - start);
    start = end + 2;
    if (first) {
      request.line = line;
      first = false;
      continue;
    }
    const std::size_t colon = line.find(':');
    std::string name = line.substr(0, colon);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string value = colon == std::string::npos ? "" : line.substr(colon + 1);
    value.erase(0, value.find_first_not_of(' '));
    request.headers.emplace_back(std::move(name), std::move(value));
  }
  return request;
}

using Values = std::vector<std::string>;

// The form every request takes, the first one and each redirect hop alike.
void ExpectRequestForm(const std::string& raw, const std::string& expectedLine) {
  SCOPED_TRACE("request:\n" + raw);
  ASSERT_NE(raw.find("\r\n\r\n"), std::string::npos) << "no complete request head";
  const Request request = Parse(raw);
  EXPECT_EQ(request.line, expectedLine);
  EXPECT_EQ(request.Values("user-agent"), Values{"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"});
  EXPECT_EQ(request.Values("accept"), Values{"*/*"});
  EXPECT_EQ(request.Values("pragma"), Values{"no-cache"});
  EXPECT_EQ(request.Values("cache-control"), Values{"no-cache"});
  EXPECT_EQ(request.Values("accept-encoding"), Values{}) << "compression must not be asked for";
  EXPECT_EQ(request.Values("cookie"), Values{});
  EXPECT_EQ(request.afterHead, "") << "a GET carries no body";
}

std::string Ok(std::string_view body) {
  return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
         std::string(body);
}

// Every byte value, NULs included, in an order where an offset slip shows.
std::string Pattern(std::size_t length) {
  std::string bytes(length, '\0');
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) % 256);
  return bytes;
}

bool IsAbsent(const Bytes& bytes) { return bytes.IsEmpty() && bytes.Data() == nullptr; }

TEST(HttpReadBounds, Defaults) {
  const HttpReadBounds bounds;
  EXPECT_EQ(bounds.connect, 10s);
  EXPECT_EQ(bounds.whole, 30s);
  EXPECT_EQ(bounds.maxBody, 8u * 1024 * 1024);
  EXPECT_EQ(bounds.maxRedirects, 10);
}

TEST(HttpReadDocument, SendsOneRequestOfTheExpectedFormWithoutTheFragment) {
  const struct {
    const char* target;  // what follows host:port in the URL
    const char* line;
  } cases[] = {
      {"/doc.txt?a=1#frag", "GET /doc.txt?a=1 HTTP/1.0"},
      {"/doc.txt", "GET /doc.txt HTTP/1.0"},
      {"", "GET / HTTP/1.0"},
      {"/doc.txt#", "GET /doc.txt HTTP/1.0"},
      {"/a#b#c", "GET /a HTTP/1.0"},
      {"/p#x?y=1", "GET /p HTTP/1.0"},        // a "?" inside the fragment is no query
      {"/p#frag with spaces", "GET /p HTTP/1.0"},  // fragment text curl would refuse
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    RawServer server({{Ok("document")}});
    EXPECT_EQ(HttpReadDocument(T(server.Url(c.target))).View(), "document");
    const auto& requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    ExpectRequestForm(requests[0], c.line);
  }
}

TEST(HttpReadDocument, IgnoresProxyVariables) {
  RawServer proxy({{Ok("from the proxy")}});
  RawServer origin({{Ok("from the origin")}});
  const std::string proxyUrl = proxy.Url("");
  ScopedEnvironment environment;
  for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                           "ALL_PROXY"}) {
    environment.Set(name, proxyUrl.c_str());
  }
  // A no_proxy inherited from the shell could hide a proxied read.
  environment.Set("no_proxy", nullptr);
  environment.Set("NO_PROXY", nullptr);

  EXPECT_EQ(HttpReadDocument(T(origin.Url("/doc"))).View(), "from the origin");
  EXPECT_EQ(proxy.Requests().size(), 0u);
  const auto& requests = origin.Requests();
  ASSERT_EQ(requests.size(), 1u);
  ExpectRequestForm(requests[0], "GET /doc HTTP/1.0");
}

TEST(HttpReadDocument, FollowsARedirectWithTheSameRequestFormAndNoCookies) {
  RawServer server({
      {"HTTP/1.0 302 Found\r\nLocation: /target?b=2\r\nSet-Cookie: session=1; Path=/\r\n"
       "Content-Length: 18\r\n\r\nmoved, see /target"},
      {Ok("the target")},
  });
  EXPECT_EQ(HttpReadDocument(T(server.Url("/start#frag"))).View(), "the target");
  const auto& requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  ExpectRequestForm(requests[0], "GET /start HTTP/1.0");
  ExpectRequestForm(requests[1], "GET /target?b=2 HTTP/1.0");
}

TEST(HttpReadDocument, StopsAfterMaxRedirects) {
  const struct {
    int hops;  // redirects between the first URL and the document
    std::optional<long> maxRedirects;  // none: the default bound
    bool arrives;
  } cases[] = {
      {0, 0, true},  {1, 0, false},  {1, -1, false},  // negative is no redirect, not unlimited
      {3, 3, true},  {4, 3, false},  {10, std::nullopt, true}, {11, std::nullopt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("hops " + std::to_string(c.hops) + ", max " +
                 (c.maxRedirects ? std::to_string(*c.maxRedirects) : "default"));
    std::atomic<int> served{0};
    std::atomic<bool> reached{false};
    LibServer server([&](httplib::Server& s) {
      s.Get(R"(/hop/(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
        ++served;
        const int left = std::stoi(request.matches[1]);
        if (left == 0) {
          reached = true;
          response.set_content("the document", "text/plain");
        } else {
          response.set_redirect("/hop/" + std::to_string(left - 1));
        }
      });
    });
    HttpReadBounds bounds;
    if (c.maxRedirects) bounds.maxRedirects = *c.maxRedirects;
    const Bytes body = HttpReadDocument(T(server.Url("/hop/" + std::to_string(c.hops))), bounds);
    if (c.arrives) {
      EXPECT_EQ(body.View(), "the document");
      EXPECT_EQ(served, c.hops + 1);
    } else {
      EXPECT_TRUE(IsAbsent(body)) << body.View();
      EXPECT_FALSE(reached);
      EXPECT_EQ(served, std::max(0L, c.maxRedirects.value_or(10)) + 1) << "one request per allowed hop";
    }
  }
}

TEST(HttpReadDocument, UsesOnlyHttpAndHttps) {
  const std::string localPath = testing::TempDir() + "varnelo_http_read_local.txt";
  std::ofstream(localPath) << "a local file";
  RawServer other({{"220 ready\r\n"}});  // would see a connection if ftp were tried
  const std::string ftpUrl = "ftp://127.0.0.1:" + std::to_string(other.Port()) + "/x";
  const std::string fileUrl = "file://" + localPath;
  const auto redirectTo = [](const std::string& location) {
    return "HTTP/1.0 302 Found\r\nLocation: " + location + "\r\nContent-Length: 5\r\n\r\nmoved";
  };

  EXPECT_TRUE(IsAbsent(HttpReadDocument(T(fileUrl))));
  EXPECT_TRUE(IsAbsent(HttpReadDocument(T(ftpUrl))));
  for (const std::string& location : {fileUrl, ftpUrl}) {
    SCOPED_TRACE("redirect to " + location);
    RawServer redirecting({{redirectTo(location)}});
    EXPECT_TRUE(IsAbsent(HttpReadDocument(T(redirecting.Url("/")))));
    EXPECT_EQ(redirecting.Requests().size(), 1u);
  }
  EXPECT_EQ(other.Requests().size(), 0u);
  std::remove(localPath.c_str());
}

TEST(HttpReadDocument, ReturnsTheBodyWhateverTheStatus) {
  const struct {
    int status;
    const char* body;
  } cases[] = {{404, "no such page"}, {403, "keep out"}, {500, "the server broke"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    LibServer server([&](httplib::Server& s) {
      s.Get("/page", [&](const httplib::Request&, httplib::Response& response) {
        response.status = c.status;
        response.set_content(c.body, "text/html");
      });
    });
    EXPECT_EQ(HttpReadDocument(T(server.Url("/page"))).View(), c.body);
  }
}

TEST(HttpReadDocument, ReturnsBodyBytesAsSent) {
  const std::string binary = std::string("\0lead\0\0", 7) + Pattern(3000) + std::string(1, '\0');
  const std::string notGzip = "plain text labelled as gzip";
  const struct {
    const char* what;
    std::string reply;
    std::string body;
  } cases[] = {
      {"NULs, with length", Ok(binary), binary},
      {"NULs, ended by close", "HTTP/1.0 200 OK\r\n\r\n" + binary, binary},
      {"not decoded",
       "HTTP/1.0 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: " +
           std::to_string(notGzip.size()) + "\r\n\r\n" + notGzip,
       notGzip},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RawServer server({{c.reply}});
    const Bytes body = HttpReadDocument(T(server.Url("/data")));
    EXPECT_EQ(body.Length(), static_cast<std::int32_t>(c.body.size()));
    EXPECT_TRUE(body.View() == c.body);  // no dump of binary bytes on failure
  }
}

TEST(HttpReadDocument, KeepsABodyThatBreaksOff) {
  const std::string part = Pattern(40);
  RawServer server({{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n" + part}});
  const Bytes body = HttpReadDocument(T(server.Url("/doc")));
  EXPECT_TRUE(body.View() == part) << "got " << body.Length() << " bytes";
}

TEST(HttpReadDocument, NothingArrivedGivesAbsent) {
  const struct {
    const char* what;
    std::string reply;
  } cases[] = {
      {"empty body with length", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n"},
      {"empty body ended by close", "HTTP/1.0 200 OK\r\n\r\n"},
      {"empty 404", "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n"},
      {"closed without a reply", ""},
      {"headers cut off", "HTTP/1.0 200 OK\r\nContent-Len"},
      {"not HTTP", "hello there\r\n\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RawServer server({{c.reply}});
    const Bytes body = HttpReadDocument(T(server.Url("/doc")));
    EXPECT_TRUE(IsAbsent(body)) << body.View();
    EXPECT_EQ(server.Requests().size(), 1u);
  }
}

TEST(HttpReadDocument, UnreachableOrMalformedGivesAbsent) {
  const ClosedPort closed;
  const std::string urls[] = {
      "http://127.0.0.1:" + std::to_string(closed.Port()) + "/doc",
      "",
      "#only-a-fragment",
      "http://",
      "http://[::1",
      "http://127.0.0.1:99999/doc",
      "http://127.0.0.1:not-a-port/doc",
  };
  for (const std::string& url : urls) {
    SCOPED_TRACE(url);
    EXPECT_TRUE(IsAbsent(HttpReadDocument(T(url))));
  }
}

// Connects sockets until the listener's accept queue is full, so that a further
// connect waits for a place in it. Returns whether that point was reached.
bool FillAcceptQueue(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  for (int i = 0; i < 16; ++i) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    pollfd p{fd, POLLOUT, 0};
    const bool connected = poll(&p, 1, 300) > 0;
    // A queued connection stays queued after its client closes.
    close(fd);
    if (!connected) return true;
  }
  return false;
}

TEST(HttpReadDocument, ConnectBound) {
  const std::chrono::milliseconds bounds[] = {500ms, 0ms};  // zero is the shortest, not "unbounded"
  for (const auto connect : bounds) {
    SCOPED_TRACE("connect bound " + std::to_string(connect.count()) + " ms");
    // The queue opens up later; a read without its connect bound would get in then.
    RawServer server({{Ok("late")}}, {.backlog = 0, .acceptAfter = 1500ms});
    ASSERT_TRUE(FillAcceptQueue(server.Port()));
    HttpReadBounds bounds;
    bounds.connect = connect;
    bounds.whole = kGenerous;
    EXPECT_TRUE(IsAbsent(HttpReadDocument(T(server.Url("/doc")), bounds)));
  }
}

TEST(HttpReadDocument, WholeReadBoundKeepsWhatArrived) {
  const std::string part = Pattern(40);
  const struct {
    std::chrono::milliseconds whole;
    bool partArrives;  // a zero bound may end the read before anything arrives
  } cases[] = {{500ms, true}, {0ms, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("whole bound " + std::to_string(c.whole.count()) + " ms");
    RawServer server({{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n" + part, /*stall=*/true}});
    HttpReadBounds bounds;
    bounds.whole = c.whole;
    const Bytes body = HttpReadDocument(T(server.Url("/doc")), bounds);
    if (c.partArrives) {
      EXPECT_TRUE(body.View() == part) << "got " << body.Length() << " bytes";
    } else {
      EXPECT_TRUE(IsAbsent(body) || body.View() == part) << "got " << body.Length() << " bytes";
    }
    EXPECT_TRUE(server.ClientsHungUp()) << "the read waited for the server, not for its bound";
  }
}

TEST(HttpReadDocument, BodyBoundKeepsExactlyTheFirstBytes) {
  const struct {
    std::size_t maxBody;
    std::size_t sent;
    bool withLength;
  } cases[] = {
      {100, 1000, true}, {100, 100, true},       {100, 99, true},
      {1000, 1 << 20, false},  // cut inside one of curl's receive blocks
      {0, 10, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("bound " + std::to_string(c.maxBody) + ", sent " + std::to_string(c.sent));
    const std::string sent = Pattern(c.sent);
    const std::string head = c.withLength
                                 ? "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(c.sent) + "\r\n\r\n"
                                 : "HTTP/1.0 200 OK\r\n\r\n";
    // The server never closes: the read has to end by itself once the bound is met.
    RawServer server({{head + sent, /*stall=*/true}});
    HttpReadBounds bounds;
    bounds.maxBody = c.maxBody;
    bounds.whole = kGenerous;
    const Bytes body = HttpReadDocument(T(server.Url("/doc")), bounds);
    const std::string expected = sent.substr(0, c.maxBody);
    EXPECT_EQ(body.Length(), static_cast<std::int32_t>(expected.size()));
    EXPECT_TRUE(body.View() == expected);
    if (expected.empty()) {
      EXPECT_TRUE(IsAbsent(body));
    }
    EXPECT_TRUE(server.ClientsHungUp()) << "the read went on past its bound";
  }
}

}  // namespace
