#include "cli/commands.h"

#include <iostream>

#include "platform/codepage.h"

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

int RunAndReport(TPluginHost& host, int32_t index, const std::vector<std::string>& params) {
  std::vector<std::optional<std::string>> ansi;
  for (const auto& p : params) ansi.emplace_back(Utf8ToAnsi(p));
  host.ClearEvents();
  bool ok = host.Exec(index, ansi);
  for (const auto& [name, value] : host.Variables())
    std::cout << AnsiToUtf8(name) << "=" << AnsiToUtf8(value) << "\n";
  std::cout.flush();
  if (ok) return 0;
  auto error = host.Variable("[LastError]");
  std::cerr << "tarvik: " << (error ? AnsiToUtf8(*error) : std::string("the action failed")) << "\n";
  return 1;
}

}  // namespace tarvik
