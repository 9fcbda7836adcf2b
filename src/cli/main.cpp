// tarvik: a command-line host of Tarvik.nbp. It loads the plug-in exactly as
// the authoring host does and runs its actions, so what works here works there.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/plugin_host.h"
#include "cli/private_temp.h"
#include "platform/codepage.h"
#include "platform/error.h"

using namespace tarvik;

namespace {

// "ovPPTXExportHTML(file, file)": the name and the kinds of its parameters.
std::string Signature(const TRegisteredAction& action) {
  static const char* const kKindNames[] = {"", "text", "", "number", "", "file", "variable"};
  std::string text = action.Name + "(";
  for (size_t i = 0; i < action.Kinds.size(); ++i) {
    uint8_t k = action.Kinds[i];
    text += i ? ", " : "";
    text += k < 7 && *kKindNames[k] ? kKindNames[k] : "?";
  }
  return text + ")";
}

int RunAction(const std::string& action, const std::vector<std::string>& params) {
  TPluginHost host(DefaultPluginPath());
  host.Start();
  int32_t index = host.FindAction(action);
  if (index == 0) {
    std::cerr << "tarvik: unknown action \"" << action << "\" (see tarvik actions)\n";
    return 2;
  }
  // The host passes the missing ones empty, so the action's own checks answer.
  const TRegisteredAction& registered = *host.ActionAt(index);
  if (params.size() < static_cast<size_t>(registered.ParamCount))
    std::cerr << "tarvik: " << Signature(registered) << " takes " << registered.ParamCount << " parameters, "
              << params.size() << " given; the missing ones are passed empty\n";
  return RunAndReport(host, index, params);
}

int ListActions() {
  TPluginHost host(DefaultPluginPath());
  host.Start();
  for (const auto& a : host.Actions) std::cout << a.Index << "  " << Signature(a) << "\n    " << AnsiToUtf8(a.Hint) << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"tarvik - run the actions of the Tarvik plug-in from the command line"};
  app.set_version_flag("--version", std::string("tarvik ") + TARVIK_VERSION);
  app.require_subcommand(1);
  bool keepTemp = false;
  app.add_flag("--keep-temp", keepTemp, "keep this run's private temporary folder");

  std::string actionName;
  auto* run = app.add_subcommand("run", "run an action and print the variables it sets");
  run->add_option("action", actionName, "action name (ovPPTXExportHTML) or index (7)")->required();
  // Taken as they are: a vector option would read "[Name]", a variable
  // reference, as a list and pass Name.
  run->allow_extras();
  run->footer("Parameters: the action's, in order, after its name; \"[Name]\" passes as written.");

  auto* actions = app.add_subcommand("actions", "list the actions with parameters and hints");

  TCommandSet extra;
  RegisterCommands(app, extra);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }

  try {
    TPrivateTemp temp(keepTemp);
    if (keepTemp) std::cerr << "tarvik: temporary folder " << temp.Path() << "\n";
    if (run->parsed()) return RunAction(actionName, run->remaining());
    if (actions->parsed()) return ListActions();
    return RunCommands(extra);
  } catch (const ETarvikError& e) {
    std::cerr << "tarvik: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "tarvik: unexpected error: " << e.what() << "\n";
    return 1;
  }
}
