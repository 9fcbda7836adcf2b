// Scripted answers for the property dialogs of a plug-in loaded into this
// process. Such a host reaches the plug-in's headless dialogs only through
// the environment: this object writes the answers file, names it and the
// transcript file there, and withdraws both when it goes.
#pragma once
#include <string>
#include <vector>

#include "ui/headless/dialog_script.h"

namespace tarvik {

class TScriptedDialogSession {
 public:
  // The files go into Folder, which must exist.
  TScriptedDialogSession(const std::string& folder, const ui::TDialogScript& script);
  ~TScriptedDialogSession();
  TScriptedDialogSession(const TScriptedDialogSession&) = delete;
  TScriptedDialogSession& operator=(const TScriptedDialogSession&) = delete;

  // What the dialogs of the last edit showed; empty before the first.
  std::vector<ui::TTranscriptLine> Transcript() const;
  // Adds a line of the host's own between those of the dialogs.
  void Append(const ui::TTranscriptLine& line) const;

 private:
  std::string answers_;
  std::string transcript_;
};

}  // namespace tarvik
