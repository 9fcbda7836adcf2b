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
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "cli/commands.h"
#include "cli/plugin_host.h"
#include "htmlexport/export_progress.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tarvik {

namespace {

// One friendly subcommand per export: its action and where its output goes.
struct TExportKind {
  const char* Command;
  const char* Help;
  const char* FilesHelp;
  int32_t Action;
  // The default output: the deck's name without extension, then Suffix.
  const char* Suffix;
  // A file output is recognised by its extension; a folder output is any
  // name that is neither a deck nor an existing file.
  std::vector<std::string> FileExtensions;
};

const TExportKind kExportKinds[] = {
    {"html", "export decks as single-file HTML5 players (ovPPTXExportHTML)",
     "deck.pptx... [out.html]; without out.html each deck gives <deck>.html", 7, ".html", {".html", ".htm"}},
    {"web", "export decks as HTML5 web folders with their assets (ovPPTXExportWebFolder)",
     "deck.pptx... [folder]; without a folder each deck gives <deck>_Web", 8, "_Web", {}},
    {"epub", "export decks as fixed-layout EPUB 3.3 books (ovPPTXExportEPUB)",
     "deck.pptx... [out.epub]; without out.epub each deck gives <deck>.epub", 11, ".epub", {".epub"}},
    {"pwa", "export decks as installable offline web apps (ovPPTXExportPWA)",
     "deck.pptx... [folder]; without a folder each deck gives <deck>_PWA", 12, "_PWA", {}},
    {"scorm", "export decks as SCORM 1.2 packages with tracking (ovPPTXExportSCORM)",
     "deck.pptx... [out.zip]; without out.zip each deck gives <deck>.scorm.zip", 10, ".scorm.zip", {".zip"}},
    {"h5p", "export decks as H5P packages (ovPPTXExportH5P)",
     "deck.pptx... [out.h5p]; without out.h5p each deck gives <deck>.h5p", 9, ".h5p", {".h5p"}},
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

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string ExtensionOf(const std::string& path) {
  std::string name = ExtractFileName(path);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : Lower(name.substr(dot));
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

#ifndef _WIN32
// Shows "<deck>: <done>/<total> slides" on stderr while the plug-in reports
// through its end of a socket pair; the line stays when the deck is done.
// Only for one action at a time: the descriptor travels in the environment.
class TProgressLine {
 public:
  explicit TProgressLine(const std::string& label) : label_(label) {
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
    reader_ = fds[0];
    writer_ = fds[1];
    SetEnvVar(kProgressFdVariable, std::to_string(writer_));
    Draw(label_ + ": loading");
    thread_ = std::thread([this] { Read(); });
  }
  ~TProgressLine() {
    if (writer_ < 0) return;
    UnsetEnvVar(kProgressFdVariable);
    ::shutdown(writer_, SHUT_RDWR);
    ::close(writer_);
    thread_.join();
    ::close(reader_);
    Draw(std::string(), "\n");
  }
  TProgressLine(const TProgressLine&) = delete;
  TProgressLine& operator=(const TProgressLine&) = delete;

 private:
  // Straight to the descriptor: std::cerr is redirected while the action runs.
  static void Draw(const std::string& text, const char* clear = "\r\033[K") {
    std::string bytes = clear + text;
    (void)!::write(STDERR_FILENO, bytes.data(), bytes.size());
  }

  void Read() {
    std::string pending;
    char buffer[512];
    while (true) {
      ssize_t got = ::recv(reader_, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      pending.append(buffer, static_cast<size_t>(got));
      // Only the newest complete report is worth drawing.
      int done = -1, total = -1;
      for (size_t eol = pending.find('\n'); eol != std::string::npos; eol = pending.find('\n')) {
        std::istringstream line(pending.substr(0, eol));
        int d = 0, t = 0;
        if (line >> d >> t) done = d, total = t;
        pending.erase(0, eol + 1);
      }
      if (done >= 0)
        Draw(label_ + ": " + std::to_string(done) + "/" + std::to_string(total) + " slides");
    }
  }

  std::string label_;
  int reader_ = -1, writer_ = -1;
  std::thread thread_;
};
#endif

// Runs one export; on a terminal the variables are printed after the deck's
// progress line is finished, so the two never interleave.
int RunOneExport(TPluginHost& host, int32_t index, const TExportJob& job, bool showProgress) {
  std::vector<std::string> params = {job.Deck, job.Output};
#ifndef _WIN32
  if (showProgress) {
    std::ostringstream out, err;
    int code;
    {
      TProgressLine progress(ExtractFileName(job.Deck));
      auto* oldOut = std::cout.rdbuf(out.rdbuf());
      auto* oldErr = std::cerr.rdbuf(err.rdbuf());
      try {
        code = RunAndReport(host, index, params);
      } catch (...) {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
        throw;
      }
      std::cout.rdbuf(oldOut);
      std::cerr.rdbuf(oldErr);
    }
    std::cout << out.str() << std::flush;
    std::cerr << err.str() << std::flush;
    return code;
  }
#else
  (void)showProgress;
#endif
  return RunAndReport(host, index, params);
}

int RunExports(const TExportRequest& request) {
  std::vector<TExportJob> jobs = PlanJobs(request);
  TPluginHost host(DefaultPluginPath());
  host.Start();
  int32_t index = request.Kind->Action;
#ifndef _WIN32
  bool showProgress = isatty(STDERR_FILENO) != 0;
#else
  bool showProgress = false;
#endif
  std::set<std::string> outputs;
  int result = 0;
  for (const auto& job : jobs) {
    // Two decks of the same name sent to one folder would overwrite each other.
    if (!outputs.insert(job.Output).second) {
      std::cerr << "tarvik: skipping " << job.Deck << ": " << job.Output << " is already another deck's output\n";
      result = 1;
      continue;
    }
    if (RunOneExport(host, index, job, showProgress) != 0) result = 1;
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
