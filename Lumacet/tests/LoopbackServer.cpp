#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace lumatest {

namespace {

int BindLoopback(int* port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    close(fd);
    return -1;
  }
  *port = ntohs(address.sin_port);
  return fd;
}

void SendAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    default: return "Status";
  }
}

}  // namespace

LoopbackServer::LoopbackServer() {
  fd_ = BindLoopback(&port_);
  if (fd_ >= 0 && listen(fd_, 8) != 0) {
    close(fd_);
    fd_ = -1;
  }
  if (fd_ >= 0) thread_ = std::thread([this] { Run(); });
}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (fd_ >= 0) close(fd_);
}

void LoopbackServer::Serve(const std::string& path, Reply reply) {
  std::lock_guard<std::mutex> lock(mutex_);
  replies_[path] = std::move(reply);
}

std::string LoopbackServer::Url(const std::string& pathAndMore) const {
  return "http://127.0.0.1:" + std::to_string(port_) + pathAndMore;
}

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

size_t LoopbackServer::Trickled() { return trickled_; }

int LoopbackServer::ClosedPort() {
  int port = 0;
  const int fd = BindLoopback(&port);
  if (fd >= 0) close(fd);  // bound, never listened: connections are refused
  return port;
}

void LoopbackServer::Run() {
  while (!stop_) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    Answer(client);
    close(client);
  }
}

void LoopbackServer::Answer(int client) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    pollfd p{client, POLLIN, 0};
    if (poll(&p, 1, 2000) <= 0) return;
    const ssize_t n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    request.append(buffer, static_cast<size_t>(n));
  }
  // "GET /path?query HTTP/1.1"
  const size_t start = request.find(' ') + 1, end = request.find(' ', start);
  const std::string target = request.substr(start, end - start);
  Reply reply{404, "<html>not found</html>", -1, ""};
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(target);
    const auto found = replies_.find(target.substr(0, target.find('?')));
    if (found != replies_.end()) reply = found->second;
  }
  const long length = reply.declaredLength >= 0 ? reply.declaredLength : static_cast<long>(reply.body.size());
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + Reason(reply.status) + "\r\n" +
                     (reply.chunked ? std::string("Transfer-Encoding: chunked")
                                    : "Content-Length: " + std::to_string(length)) +
                     "\r\nConnection: close\r\n";
  if (!reply.location.empty()) head += "Location: " + reply.location + "\r\n";
  const auto piece = [&](size_t at, size_t count) {
    const std::string bytes = reply.body.substr(at, count);
    if (!reply.chunked) return bytes;
    char size[32];
    snprintf(size, sizeof size, "%zx\r\n", bytes.size());
    return size + bytes + "\r\n";
  };
  const std::string last = reply.chunked ? "0\r\n\r\n" : "";
  if (reply.trickleMs <= 0) {
    SendAll(client, head + "\r\n" + (reply.body.empty() ? "" : piece(0, reply.body.size())) + last);
    return;
  }
  SendAll(client, head + "\r\n");
  // Until the client goes (a send fails) or the body is out.
  for (size_t i = 0; i < reply.body.size() && !stop_; i += 2) {
    const std::string bytes = piece(i, 2);
    if (send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL) <= 0) return;
    trickled_ += std::min<size_t>(2, reply.body.size() - i);
    poll(nullptr, 0, reply.trickleMs);
  }
  SendAll(client, last);
}

}  // namespace lumatest
