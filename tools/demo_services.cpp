// Demo services: loopback stand-ins for the outside video-parsing services of
// play channels 2 to 5, on the hosts the program was configured with. Each
// answers its channel's path with a page naming the channel and the video
// address it was asked for, and logs every request line to standard output.
// Channel 1 is https and is left unserved. Stops on SIGINT or SIGTERM.
#include <httplib.h>
#include <signal.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/build_settings.h"

namespace {

struct Channel {
  int number;
  const char* host;  // host[:port] as configured
  const char* path;
};

const Channel kChannels[] = {
    {2, VARNELO_CHANNEL2_HOST, "/index.php"},
    {3, VARNELO_CHANNEL3_HOST, "/video.php"},
    {4, VARNELO_CHANNEL4_HOST, "/video.php"},
    {5, VARNELO_CHANNEL5_HOST, "/Common/"},
};

std::mutex logLock;

void Log(const std::string& line) {
  std::lock_guard<std::mutex> hold(logLock);
  std::fprintf(stdout, "%s\n", line.c_str());
  std::fflush(stdout);
}

// Only a loopback host with an explicit port can be served here.
std::optional<int> LoopbackPort(const std::string& host) {
  const auto colon = host.rfind(':');
  if (colon == std::string::npos || host.compare(0, colon, "127.0.0.1") != 0) return std::nullopt;
  return std::stoi(host.substr(colon + 1));
}

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// The video address is everything after the channel's "?url=": it may hold
// '?' and '&' of its own, so it is cut out of the raw target, not parsed.
std::optional<std::string> VideoAddress(const std::string& target, const std::string& path) {
  const std::string prefix = path + "?url=";
  if (target.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  return httplib::detail::decode_url(target.substr(prefix.size()), false);
}

std::string ChannelPage(int number, const httplib::Request& request, const std::string& video) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>演示通道" +
         std::to_string(number) +
         "</title></head><body style=\"font-family:sans-serif;background:#102030;color:#e8eef4\">"
         "<h1>演示播放通道 " + std::to_string(number) + "</h1>"
         "<p>请求的视频地址：</p><p id=\"video\" style=\"font-size:20px;color:#ffd060\">" +
         EscapeHtml(video) + "</p><p>请求：<code>" + EscapeHtml(request.target) +
         "</code></p></body></html>";
}

}  // namespace

int main() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);  // the server threads inherit the mask

  std::vector<std::unique_ptr<httplib::Server>> servers;
  std::vector<std::thread> threads;
  for (const Channel& channel : kChannels) {
    const std::optional<int> port = LoopbackPort(channel.host);
    if (!port) {
      Log("channel " + std::to_string(channel.number) + ": " + channel.host +
          " is not a loopback host with a port; not served");
      continue;
    }
    auto server = std::make_unique<httplib::Server>();
    // Without the library's SO_REUSEPORT: a second instance must find the
    // port taken rather than share it and answer half the requests.
    server->set_socket_options([](socket_t socket) {
      int yes = 1;
      setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    const int number = channel.number;
    const std::string path = channel.path;
    auto answer = [number, path](const httplib::Request& request, httplib::Response& response) {
      Log("channel " + std::to_string(number) + " GET " + request.target);
      const std::optional<std::string> video = VideoAddress(request.target, path);
      if (!video) {
        response.status = 404;
        response.set_content("not a path of this channel", "text/plain");
        return;
      }
      response.status = 200;
      response.set_content(ChannelPage(number, request, *video), "text/html; charset=utf-8");
    };
    server->Get(".*", answer);
    // The library refuses a target with a second '?' (400) before routing,
    // yet video addresses often carry one; such requests arrive here.
    server->set_error_handler([answer](const httplib::Request& request, httplib::Response& response) {
      if (response.status == 400 && request.method == "GET") answer(request, response);
    });
    if (!server->bind_to_port("127.0.0.1", *port)) {
      Log("channel " + std::to_string(number) + ": port " + std::to_string(*port) + " is taken");
      return 1;
    }
    Log("channel " + std::to_string(number) + " serving http://" + channel.host + channel.path);
    threads.emplace_back([raw = server.get()] { raw->listen_after_bind(); });
    servers.push_back(std::move(server));
  }
  Log("ready");

  int received = 0;
  sigwait(&stopSignals, &received);
  for (auto& server : servers) server->stop();
  for (auto& thread : threads) thread.join();
  return 0;
}
