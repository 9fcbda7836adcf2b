// The watcher channel over a POSIX socket pair; on Windows it stays silent.
#include "platform/watcher.h"

#include <algorithm>
#include <cstdlib>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "platform/system.h"

namespace tarvik {

#ifndef _WIN32

void SendWatcherLine(std::string_view line) {
  const std::string value = GetEnvVar(kWatcherFdVariable);
  if (value.empty()) return;
  char* end = nullptr;
  const long fd = std::strtol(value.c_str(), &end, 10);
  if (end == value.c_str() || *end != '\0' || fd < 0 || fd > 65535) return;
  std::string text(line);
  text += '\n';
  // send, not write: on anything but a socket it fails harmlessly, and
  // MSG_NOSIGNAL keeps a vanished reader from killing the host process.
  (void)::send(static_cast<int>(fd), text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

TWatcherChannel::TWatcherChannel(std::function<void(const std::string&)> onLine) : onLine_(std::move(onLine)) {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
  reader_ = fds[0];
  writer_ = fds[1];
  SetEnvVar(kWatcherFdVariable, std::to_string(writer_));
  thread_ = std::thread([this] { Read(); });
}

TWatcherChannel::~TWatcherChannel() {
  if (writer_ < 0) return;
  UnsetEnvVar(kWatcherFdVariable);
  ::shutdown(writer_, SHUT_RDWR);
  ::close(writer_);
  thread_.join();
  ::close(reader_);
}

void TWatcherChannel::Read() {
  std::string pending;
  char buffer[512];
  while (true) {
    const ssize_t got = ::recv(reader_, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    pending.append(buffer, static_cast<size_t>(got));
    for (size_t eol = pending.find('\n'); eol != std::string::npos; eol = pending.find('\n')) {
      onLine_(pending.substr(0, eol));
      pending.erase(0, eol + 1);
    }
  }
}

#else

void SendWatcherLine(std::string_view) {}

TWatcherChannel::TWatcherChannel(std::function<void(const std::string&)> onLine) : onLine_(std::move(onLine)) {}
TWatcherChannel::~TWatcherChannel() = default;
void TWatcherChannel::Read() {}

#endif

void SendFailureReason(std::string_view reason) {
  std::string line = "reason ";
  line += reason;
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::replace(line.begin(), line.end(), '\r', ' ');
  SendWatcherLine(line);
}

bool FailWithReason(std::string_view reason) noexcept {
  try {
    SendFailureReason(reason);
  } catch (...) {
    // Out of memory while telling why: the false stands on its own.
  }
  return false;
}

}  // namespace tarvik
