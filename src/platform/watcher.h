// A side channel from the plug-in to a command-line host that watches a long
// action. The plug-in has no channel of its own for this: such a host hands
// it one end of a local socket by putting the descriptor number into the
// environment variable TARVIK_PROGRESS_FD. The plug-in sends lines on it:
// "<done> <total>" as slides are rendered, and "reason <text>" when a step
// that must answer a bare false had a reason for it. Without the variable
// (every real host, and always on Windows) nothing is sent.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace tarvik {

inline constexpr const char* kWatcherFdVariable = "TARVIK_PROGRESS_FD";

// Sends Line and a line end. Never blocks and never fails: a full or closed
// socket, or a descriptor that is no socket at all, drops the line.
void SendWatcherLine(std::string_view line);

// Sends "reason " and reason, its line ends turned into spaces.
void SendFailureReason(std::string_view reason);
// SendFailureReason, then false: how a step that must answer a bare false,
// without a message, keeps its reason for whoever watches.
bool FailWithReason(std::string_view reason) noexcept;

// The watching end: a socket pair whose sending end is announced in the
// environment for as long as this object lives; every complete line that
// arrives goes to onLine, on a thread of its own. One action at a time, as
// the descriptor travels in the environment. Does nothing on Windows.
class TWatcherChannel {
 public:
  explicit TWatcherChannel(std::function<void(const std::string&)> onLine);
  // Withdraws the descriptor and returns once every line sent before has
  // been delivered.
  ~TWatcherChannel();
  TWatcherChannel(const TWatcherChannel&) = delete;
  TWatcherChannel& operator=(const TWatcherChannel&) = delete;

 private:
  void Read();

  std::function<void(const std::string&)> onLine_;
  int reader_ = -1, writer_ = -1;
  std::thread thread_;
};

}  // namespace tarvik
