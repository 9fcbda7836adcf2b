// tarvik edit <action> [params...] [--answers answers.json]
// Shows an action's property dialog through the plug-in, headless: the
// answers file plays the author and the host (cli/answers_file.h has its
// format); without one every dialog is cancelled. Prints what each dialog
// showed and what was done in it, each parameter as the plug-in left it, and
// the result. Exit codes as for run: 0 true, 1 false, 2 a usage error.
#include <iostream>
#include <string>
#include <vector>

#include "cli/answers_file.h"
#include "cli/commands.h"
#include "cli/dialog_session.h"
#include "cli/plugin_host.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tarvik {

namespace {

struct TEditRequest {
  std::string Action;
  std::vector<std::string> Params;
  std::string AnswersFile;
};

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

std::string Padded(const std::string& text, size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text + " ";
}

std::string DescribeControl(const std::vector<std::string>& f) {
  std::string size = f[5] == "0" ? "auto" : f[5] + " x " + f[6];
  std::string role = f[7] == "plain" ? "" : "  " + f[7];
  return "  " + Padded(f[0], 7) + Padded(f[1], 14) + Quote(f[2]) + "  at " + f[3] + "," + f[4] + "  size " + size +
         role;
}

// One transcript line as a person reads it; what happens inside a dialog is indented.
std::string Describe(const ui::TTranscriptLine& line) {
  std::vector<std::string> f = line.Fields;
  f.resize(std::max<size_t>(f.size(), 8));
  const std::string& k = line.Kind;
  if (k == "form") return "form " + Quote(f[0]) + ", client " + f[1] + " x " + f[2];
  if (k == "control") return DescribeControl(f);
  if (k == "set") return "  types " + Quote(f[1]) + " into " + f[0];
  if (k == "press") return "  presses " + f[0];
  if (k == "focus") return "  focus to " + f[0];
  if (k == "close") return std::string("  closes with ") + (f[0] == "ok" ? "OK" : "Cancel");
  if (k == "open" || k == "save")
    return k + " dialog " + Quote(f[0]) + "  filter " + Quote(f[1]) + "  default extension " + Quote(f[2]) +
           "  file " + Quote(f[3]) + "  folder " + Quote(f[4]) + "  options " + f[5];
  if (k == "folder") return "folder browser " + Quote(f[0]) + "  preselected " + Quote(f[1]);
  if (k == "message") return "message box " + Quote(f[0]) + " (" + f[2] + "): " + Quote(f[1]);
  if (k == "input") return "input box " + Quote(f[0]) + "  prompt " + Quote(f[1]) + "  text " + Quote(f[2]);
  if (k == "answer") return f[0] == "ok" ? "  confirms " + Quote(f[1]) : "  cancels";
  if (k == "host") return "host request " + f[0] + " with " + Quote(f[1]) + ": " + f[2];
  if (k == "note") return "  note: " + f[0];
  return k;
}

// How the host is about to answer a request, for the transcript.
std::string HostAnswerText(const TPluginHost& host, int32_t code) {
  auto it = host.Answers.find(code);
  if (it == host.Answers.end() || !it->second.Result) return "false";
  return "true " + Quote(AnsiToUtf8(it->second.Text.value_or("")));
}

int RunEdit(const TEditRequest& request) {
  TEditAnswers answers;
  try {
    if (!request.AnswersFile.empty()) answers = ParseEditAnswers(ReadFileBytes(request.AnswersFile));
  } catch (const ETarvikError& e) {
    std::cerr << "tarvik: " << e.what() << "\n";
    return 2;
  }
  TPluginHost host(DefaultPluginPath());
  host.Start(answers.InterfaceAccess);
  host.Answers = answers.Host;
  int32_t index = host.FindAction(request.Action);
  if (index == 0) {
    std::cerr << "tarvik: unknown action \"" << request.Action << "\" (see tarvik actions)\n";
    return 2;
  }
  TScriptedDialogSession session(UserTempFolder(), answers.Dialogs);
  host.OnRequest = [&](int32_t code, const std::string& passed) {
    session.Append({"host", {std::to_string(code), AnsiToUtf8(passed), HostAnswerText(host, code)}});
  };
  std::vector<std::optional<std::string>> params;
  for (const std::string& p : request.Params) params.emplace_back(Utf8ToAnsi(p));
  TEditOutcome outcome = host.Edit(index, params);
  for (const ui::TTranscriptLine& line : session.Transcript()) std::cout << Describe(line) << "\n";
  for (size_t i = 0; i < outcome.Params.size(); ++i)
    std::cout << "parameter " << i + 1 << ": "
              << (outcome.Params[i] ? Quote(AnsiToUtf8(*outcome.Params[i])) : std::string("null"))
              << (outcome.Changed[i] ? "  (changed)" : "") << "\n";
  std::cout << "result: " << (outcome.Result ? "true" : "false") << "\n";
  if (auto error = host.Variable("[LastError]")) std::cerr << "tarvik: " << AnsiToUtf8(*error) << "\n";
  return outcome.Result ? 0 : 1;
}

void RegisterEdit(CLI::App& app, TCommandSet& set) {
  static TEditRequest request;
  auto* cmd = app.add_subcommand("edit", "show an action's property dialog headless, answered from a file");
  cmd->add_option("action", request.Action, "action name (ovPPTXExportHTML) or index (7)")->required();
  cmd->add_option("--answers", request.AnswersFile, "JSON answers for the dialogs and the host (see README)");
  // The parameters the dialog starts from follow the action. Taken as they
  // are: a vector option would read "[Name]", a variable reference, as a list.
  cmd->allow_extras();
  cmd->footer("Parameters: the action's, in order, after its name; \"[Name]\" passes as written.");
  set.Commands.emplace_back(cmd, [cmd] {
    request.Params = cmd->remaining();
    return RunEdit(request);
  });
}

const TCommandRegistrar kRegisterEdit(RegisterEdit);

}  // namespace

}  // namespace tarvik
