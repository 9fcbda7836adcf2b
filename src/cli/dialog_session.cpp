#include "cli/dialog_session.h"

#include <fstream>

#include "platform/files.h"
#include "platform/fs_path.h"
#include "platform/system.h"

namespace tarvik {

TScriptedDialogSession::TScriptedDialogSession(const std::string& folder, const ui::TDialogScript& script) {
  std::string id = NewGuidHex();
  answers_ = JoinPath(folder, "dialog-answers-" + id + ".txt");
  transcript_ = JoinPath(folder, "dialog-transcript-" + id + ".txt");
  WriteFileBytes(answers_, ui::FormatDialogScript(script));
  SetEnvVar(ui::kDialogAnswersVariable, answers_);
  SetEnvVar(ui::kDialogTranscriptVariable, transcript_);
}

TScriptedDialogSession::~TScriptedDialogSession() {
  UnsetEnvVar(ui::kDialogAnswersVariable);
  UnsetEnvVar(ui::kDialogTranscriptVariable);
  DeleteTree(answers_);
  DeleteTree(transcript_);
}

std::vector<ui::TTranscriptLine> TScriptedDialogSession::Transcript() const {
  return FileExists(transcript_) ? ui::ParseTranscript(ReadFileBytes(transcript_)) : std::vector<ui::TTranscriptLine>{};
}

void TScriptedDialogSession::Append(const ui::TTranscriptLine& line) const {
  std::ofstream(ToFs(transcript_), std::ios::binary | std::ios::app) << ui::FormatTranscriptLine(line);
}

}  // namespace tarvik
