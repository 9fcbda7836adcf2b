// The dialogs without a windowing system: a scripted user answers each one
// in the order it opens, and every dialog leaves lines in a transcript of
// what it showed and what the user did. A dialog the script has no answer
// for is cancelled (a message box simply closed), so nothing ever waits.
//
// Transcript lines, by kind, with their fields:
//   form     caption, client width, client height
//   control  kind (label, edit, button), name, text, left, top, width,
//            height, role (plain, default, cancel); one per control, in
//            tab order, right after its form
//   set      edit box, text            the user typed into a box
//   press    button                    the user pressed a button
//   focus    control                   the form moved the focus
//   close    ok or cancel              the form closed
//   open, save  title, filter, default extension, initial file, initial
//            folder, options (comma-separated: overwrite-prompt,
//            hide-read-only, path-must-exist, file-must-exist)
//   folder   prompt, preselected folder
//   message  caption, text, icon (information, warning, error)
//   input    caption, prompt, initial text
//   answer   ok and the text, or cancel: how a picker or an input box ended
//   note     what the script asked that the dialog could not do
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/headless/dialog_script.h"

namespace tarvik::ui {

class TScriptedDialogs : public TDialogs {
 public:
  explicit TScriptedDialogs(TDialogScript script = {}) { Restart(std::move(script)); }

  // Starts over with a new script and an empty transcript.
  void Restart(TDialogScript script);
  // Told of every line as it is recorded, e.g. to keep it in a file.
  std::function<void(const TTranscriptLine&)> OnRecord;
  const std::vector<TTranscriptLine>& Transcript() const { return transcript_; }
  size_t AnswersLeft() const { return script_.size() - next_; }

  std::unique_ptr<TForm> CreateForm(const TFormLayout& layout) override;
  bool PickFile(const TFileDialogOptions& options, std::string& fileName) override;
  bool BrowseForFolder(const std::string& prompt, std::string& folder) override;
  void ShowMessage(const std::string& caption, const std::string& text, TMessageIcon icon) override;
  bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override;

  // For the scripted forms: adds a transcript line; takes the next answer,
  // which must be of Kind (otherwise it is used up, a note says so, and the
  // result is empty, as it is when the script has run out).
  void Record(std::string kind, std::vector<std::string> fields);
  bool NextAnswer(TDialogAnswer::TKind kind, TDialogAnswer& answer);

 private:
  // The answer of a picker or an input box into Text: true when confirmed.
  bool Answer(TDialogAnswer::TKind kind, std::string& text);

  TDialogScript script_;
  size_t next_ = 0;
  std::vector<TTranscriptLine> transcript_;
};

}  // namespace tarvik::ui
