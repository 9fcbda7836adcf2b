// The CLI's friendly subcommands (info, html, web, ...), registered beside
// the generic run/actions. Each export's subcommand arrives with its exporter.
#pragma once
#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

#include "cli/plugin_host.h"

namespace tarvik {

struct TCommandSet {
  // Each entry: the subcommand and what to run when it was parsed.
  std::vector<std::pair<CLI::App*, std::function<int()>>> Commands;
};

// Each command file registers itself with a static TCommandRegistrar, so
// adding a subcommand touches no shared file.
using TCommandRegisterFn = void (*)(CLI::App& app, TCommandSet& set);
struct TCommandRegistrar {
  explicit TCommandRegistrar(TCommandRegisterFn fn);
};

void RegisterCommands(CLI::App& app, TCommandSet& set);
int RunCommands(const TCommandSet& set);

// Runs an action through the host, prints "[Name]=value" per variable set,
// and gives the exit code: 0 true, 1 false with "[LastError]" on stderr and,
// on a second line, the reason the plug-in sent when a step of it could
// only answer false. With a progress label, a line "<label>: <done>/<total>
// slides" on stderr follows the rendering and stays when the action ends.
int RunAndReport(TPluginHost& host, int32_t index, const std::vector<std::string>& params,
                 const std::string& progressLabel = std::string());

}  // namespace tarvik
