// tarvik import <deck.pptx> [out.pub] [--open]
// Runs action 6 through the plug-in and prints the variables it sets. Without
// an output the publication goes beside the deck, its extension replaced by
// ".pub". The publication is opened with its associated application only
// with --open; otherwise the shell step reports success without opening.
// The plug-in keeps its own copy of the platform layer, so that choice
// reaches its shell step through the environment: TARVIK_SHELL_OPEN=0.
#include <string>

#include "cli/commands.h"
#include "cli/plugin_host.h"
#include "platform/files.h"
#include "platform/system.h"
#include "plugin/action_table.h"

namespace tarvik {

namespace {

struct TImportRequest {
  std::string Deck;
  std::string Output;
  bool Open = false;
};

int RunImport(const TImportRequest& request) {
  // The plug-in wants full paths: the publication's folder is its install folder.
  std::string deck = ExpandFileName(request.Deck);
  std::string output = ExpandFileName(request.Output.empty() ? RemoveExtension(request.Deck) + ".pub" : request.Output);
  SetEnvVar("TARVIK_SHELL_OPEN", request.Open ? "1" : "0");
  TPluginHost host(DefaultPluginPath());
  host.Start();
  return RunAndReport(host, ActionIndexOfCommand("import"), {deck, output});
}

void RegisterImport(CLI::App& app, TCommandSet& set) {
  // No command of this host opens anything unless asked, "tarvik run 6 ..."
  // included; an explicit TARVIK_SHELL_OPEN in the environment decides for run.
  if (!HasEnvVar("TARVIK_SHELL_OPEN")) SetEnvVar("TARVIK_SHELL_OPEN", "0");
  static TImportRequest request;
  auto* cmd = app.add_subcommand("import", "import a deck into a VisualNEO Win publication source (.pub)");
  cmd->add_option("deck", request.Deck, "the .pptx file")->required();
  cmd->add_option("output", request.Output, "the .pub file (default: the deck's name with .pub)");
  cmd->add_flag("--open", request.Open, "open the publication with its associated application");
  set.Commands.emplace_back(cmd, [] { return RunImport(request); });
}

const TCommandRegistrar kRegisterImport(RegisterImport);

}  // namespace

}  // namespace tarvik
