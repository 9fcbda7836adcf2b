// tarvik html <deck.pptx...> [out.html] [-o outdir]
// tarvik web <deck.pptx...> [folder] [-o outdir]
// tarvik epub <deck.pptx...> [out.epub] [-o outdir]
// tarvik pwa <deck.pptx...> [folder] [-o outdir]
// tarvik scorm <deck.pptx...> [out.zip] [-o outdir]
// tarvik h5p <deck.pptx...> [out.h5p] [-o outdir]
// Run actions 7 to 12 through the plug-in for one deck or several
// and print the variables each run sets. Without an output a deck's export
// goes beside it under the property dialogs' default names: the extension
// replaced by ".html", ".epub", ".scorm.zip" or ".h5p", or removed and "_Web" or "_PWA" added. On
// a terminal a line per deck shows the slides rendered so far.
#include <algorithm>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/commands.h"
#include "cli/plugin_host.h"
#include "platform/ascii.h"
#include "platform/files.h"
#include "platform/system.h"
#include "plugin/action_table.h"

namespace tarvik {

namespace {

// One friendly subcommand per export: its action and where its output goes.
struct TExportKind {
  const char* Command;  // also names the action in the plug-in's table
  const char* Help;
  const char* FilesHelp;
  // The default output: the deck's name without extension, then Suffix.
  const char* Suffix;
  // A file output is recognised by its extension; a folder output is any
  // name that is neither a deck nor an existing file.
  std::vector<std::string> FileExtensions;
};

const TExportKind kExportKinds[] = {
    {"html", "export decks as single-file HTML5 players (ovPPTXExportHTML)",
     "deck.pptx... [out.html]; without out.html each deck gives <deck>.html", ".html", {".html", ".htm"}},
    {"web", "export decks as HTML5 web folders with their assets (ovPPTXExportWebFolder)",
     "deck.pptx... [folder]; without a folder each deck gives <deck>_Web", "_Web", {}},
    {"epub", "export decks as fixed-layout EPUB 3.3 books (ovPPTXExportEPUB)",
     "deck.pptx... [out.epub]; without out.epub each deck gives <deck>.epub", ".epub", {".epub"}},
    {"pwa", "export decks as installable offline web apps (ovPPTXExportPWA)",
     "deck.pptx... [folder]; without a folder each deck gives <deck>_PWA", "_PWA", {}},
    {"scorm", "export decks as SCORM 1.2 packages with tracking (ovPPTXExportSCORM)",
     "deck.pptx... [out.zip]; without out.zip each deck gives <deck>.scorm.zip", ".scorm.zip", {".zip"}},
    {"h5p", "export decks as H5P packages (ovPPTXExportH5P)",
     "deck.pptx... [out.h5p]; without out.h5p each deck gives <deck>.h5p", ".h5p", {".h5p"}},
};

struct TExportRequest {
  const TExportKind* Kind = nullptr;
  std::vector<std::string> Files;
  std::string OutDir;
};

struct TExportJob {
  std::string Deck;
  std::string Output;
};

std::string ExtensionOf(const std::string& path) {
  std::string name = ExtractFileName(path);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : LowerAscii(name.substr(dot));
}

bool LooksLikeDeck(const std::string& path) {
  static const std::set<std::string> kDeckExtensions = {".pptx", ".pptm", ".ppsx", ".ppsm", ".potx", ".potm"};
  return kDeckExtensions.count(ExtensionOf(path)) > 0;
}

// Decides which positional names are decks and where each one goes.
std::vector<TExportJob> PlanJobs(const TExportRequest& request) {
  const auto& files = request.Files;
  const TExportKind& kind = *request.Kind;
  if (request.OutDir.empty() && files.size() == 2) {
    const std::string& last = files[1];
    const auto& extensions = kind.FileExtensions;
    bool isOutput = extensions.empty() ? !LooksLikeDeck(last) && !FileExists(last)
                                       : std::count(extensions.begin(), extensions.end(), ExtensionOf(last)) > 0;
    if (isOutput) return {{files[0], last}};
  }
  std::vector<TExportJob> jobs;
  for (const auto& deck : files) {
    std::string output = RemoveExtension(deck) + kind.Suffix;
    if (!request.OutDir.empty()) output = JoinPath(request.OutDir, ExtractFileName(output));
    jobs.push_back({deck, output});
  }
  return jobs;
}

int RunExports(const TExportRequest& request) {
  std::vector<TExportJob> jobs = PlanJobs(request);
  TPluginHost host(DefaultPluginPath());
  host.Start();
  int32_t index = ActionIndexOfCommand(request.Kind->Command);
  // The progress line only where someone watches it.
  const bool showProgress = isatty(STDERR_FILENO) != 0;
  std::set<std::string> outputs;
  int result = 0;
  for (const auto& job : jobs) {
    // Two decks of the same name sent to one folder would overwrite each other.
    if (!outputs.insert(job.Output).second) {
      std::cerr << "tarvik: skipping " << job.Deck << ": " << job.Output << " is already another deck's output\n";
      result = 1;
      continue;
    }
    const std::string label = showProgress ? ExtractFileName(job.Deck) : std::string();
    if (RunAndReport(host, index, {job.Deck, job.Output}, label) != 0) result = 1;
  }
  return result;
}

void RegisterExportCommand(CLI::App& app, TCommandSet& set, const TExportKind& kind) {
  auto request = std::make_shared<TExportRequest>();
  request->Kind = &kind;
  auto* command = app.add_subcommand(kind.Command, kind.Help);
  command->add_option("files", request->Files, kind.FilesHelp)->required();
  command->add_option("-o,--output-dir", request->OutDir, "write every deck's output into this folder");
  set.Commands.emplace_back(command, [request] { return RunExports(*request); });
}

void RegisterExportCommands(CLI::App& app, TCommandSet& set) {
  for (const auto& kind : kExportKinds) RegisterExportCommand(app, set, kind);
}

TCommandRegistrar registrar(RegisterExportCommands);

}  // namespace

}  // namespace tarvik
