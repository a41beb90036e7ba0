// A tiny HTTP server on 127.0.0.1 (an ephemeral port) for the download
// tests: it answers each GET from a table of replies, one request per
// connection, on a thread of its own, and never listens beyond loopback.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lumatest {

class LoopbackServer {
 public:
  struct Reply {
    int status = 200;
    std::string body;
    long declaredLength = -1;  // Content-Length; -1 is the body's size (more cuts it short)
    std::string location;      // a Location header
    int trickleMs = 0;         // > 0: the body goes 2 bytes at a time, this far apart
    bool chunked = false;      // no Content-Length: the body in chunks (one per trickled piece)
  };

  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  bool Running() const { return fd_ >= 0; }
  // Paths without query; anything not served answers 404.
  void Serve(const std::string& path, Reply reply);
  std::string Url(const std::string& pathAndMore) const;
  // Request targets seen, in order.
  std::vector<std::string> Requests();
  // Body bytes of trickled replies that were sent.
  size_t Trickled();
  // A loopback port where nothing listens.
  static int ClosedPort();

 private:
  void Run();
  void Answer(int client);

  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::map<std::string, Reply> replies_;
  std::vector<std::string> requests_;
  std::atomic<size_t> trickled_{0};
  std::thread thread_;
};

}  // namespace lumatest
