// tarvik html <deck.pptx...> [out.html] [-o outdir]
// tarvik web <deck.pptx...> [folder] [-o outdir]
// Run actions 7 and 8 through the plug-in for one deck or several and print
// the variables each run sets. Without an output a deck's page goes beside
// it under the property dialogs' default names: the extension replaced by
// ".html", or removed and "_Web" added. On a terminal a line per deck shows
// the slides rendered so far.
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

enum class TExportKind { Html, Web };

struct TExportRequest {
  TExportKind Kind = TExportKind::Html;
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

std::string DefaultOutput(TExportKind kind, const std::string& deck) {
  std::string base = RemoveExtension(deck);
  return kind == TExportKind::Html ? base + ".html" : base + "_Web";
}

// Decides which positional names are decks and where each one goes.
std::vector<TExportJob> PlanJobs(const TExportRequest& request) {
  const auto& files = request.Files;
  if (request.OutDir.empty() && files.size() == 2) {
    const std::string& last = files[1];
    bool isOutput = request.Kind == TExportKind::Html
                        ? (ExtensionOf(last) == ".html" || ExtensionOf(last) == ".htm")
                        : (!LooksLikeDeck(last) && !FileExists(last));
    if (isOutput) return {{files[0], last}};
  }
  std::vector<TExportJob> jobs;
  for (const auto& deck : files) {
    std::string output = DefaultOutput(request.Kind, deck);
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
  int32_t index = request.Kind == TExportKind::Html ? 7 : 8;
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

void RegisterExportCommand(CLI::App& app, TCommandSet& set, TExportKind kind) {
  auto request = std::make_shared<TExportRequest>();
  request->Kind = kind;
  bool html = kind == TExportKind::Html;
  auto* command = app.add_subcommand(
      html ? "html" : "web",
      html ? "export decks as single-file HTML5 players (ovPPTXExportHTML)"
           : "export decks as HTML5 web folders with their assets (ovPPTXExportWebFolder)");
  command->add_option("files", request->Files,
                      html ? "deck.pptx... [out.html]; without out.html each deck gives <deck>.html"
                           : "deck.pptx... [folder]; without a folder each deck gives <deck>_Web")
      ->required();
  command->add_option("-o,--output-dir", request->OutDir, "write every deck's output into this folder");
  set.Commands.emplace_back(command, [request] { return RunExports(*request); });
}

void RegisterHtmlCommands(CLI::App& app, TCommandSet& set) {
  RegisterExportCommand(app, set, TExportKind::Html);
  RegisterExportCommand(app, set, TExportKind::Web);
}

TCommandRegistrar registrar(RegisterHtmlCommands);

}  // namespace

}  // namespace tarvik
