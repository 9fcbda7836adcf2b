#include "cli/commands.h"

#include <unistd.h>

#include <iostream>
#include <mutex>
#include <sstream>

#include "platform/codepage.h"
#include "platform/watcher.h"

namespace tarvik {

namespace {
std::vector<TCommandRegisterFn>& Registered() {
  static std::vector<TCommandRegisterFn> fns;
  return fns;
}
}  // namespace

TCommandRegistrar::TCommandRegistrar(TCommandRegisterFn fn) { Registered().push_back(fn); }

void RegisterCommands(CLI::App& app, TCommandSet& set) {
  for (TCommandRegisterFn fn : Registered()) fn(app, set);
}

int RunCommands(const TCommandSet& set) {
  for (const auto& [command, body] : set.Commands)
    if (command->parsed()) return body();
  return 2;
}

namespace {

// Straight to the descriptor: the line is redrawn in place from the watcher's thread.
void DrawOnStderr(const std::string& text, const char* clear = "\r\033[K") {
  std::string bytes = clear + text;
  (void)!::write(STDERR_FILENO, bytes.data(), bytes.size());
}

// Reasons are kept; of the progress reports only the newest is drawn.
void OnWatcherLine(const std::string& line, const std::string& label, std::mutex& mutex,
                   std::vector<std::string>& reasons) {
  if (line.starts_with("reason ")) {
    std::lock_guard<std::mutex> lock(mutex);
    reasons.push_back(line.substr(7));
    return;
  }
  std::istringstream numbers(line);
  int done = 0, total = 0;
  if (!label.empty() && numbers >> done >> total)
    DrawOnStderr(label + ": " + std::to_string(done) + "/" + std::to_string(total) + " slides");
}

}  // namespace

int RunAndReport(TPluginHost& host, int32_t index, const std::vector<std::string>& params,
                 const std::string& progressLabel) {
  std::vector<std::optional<std::string>> ansi;
  for (const auto& p : params) ansi.emplace_back(Utf8ToAnsi(p));
  host.ClearEvents();
  std::mutex mutex;
  std::vector<std::string> reasons;
  bool ok = false;
  {
    TWatcherChannel watcher(
        [&](const std::string& line) { OnWatcherLine(line, progressLabel, mutex, reasons); });
    if (!progressLabel.empty()) DrawOnStderr(progressLabel + ": loading");
    ok = host.Exec(index, ansi);
  }
  if (!progressLabel.empty()) DrawOnStderr(std::string(), "\n");
  for (const auto& [name, value] : host.Variables())
    std::cout << AnsiToUtf8(name) << "=" << AnsiToUtf8(value) << "\n";
  std::cout.flush();
  if (ok) return 0;
  auto error = host.Variable("[LastError]");
  std::cerr << "tarvik: " << (error ? AnsiToUtf8(*error) : std::string("the action failed")) << "\n";
  for (const std::string& reason : reasons) std::cerr << "  " << reason << "\n";
  return 1;
}

}  // namespace tarvik
