// Runs the built tarvik binary as a user would, with a TMPDIR of the test's
// own, and collects its exit code, stdout and stderr.
#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "platform/files.h"

namespace tarvik::test {

struct TRun {
  int Code = -1;
  std::string Out;
  std::string Err;
};

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Stderr goes through ErrFile, which is overwritten.
inline TRun RunTarvik(const std::string& args, const std::string& tmp, const std::string& errFile) {
  std::string cmd = "TMPDIR=" + Quote(tmp) + " " + Quote(TARVIK_CLI) + " " + args + " 2>" + Quote(errFile);
  TRun run;
  FILE* pipe = popen(cmd.c_str(), "r");
  if (!pipe) return run;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) run.Out.append(buf, n);
  int status = pclose(pipe);
  run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.Err = FileExists(errFile) ? ReadFileBytes(errFile) : "";
  return run;
}

}  // namespace tarvik::test
