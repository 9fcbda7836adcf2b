// The scripted user of the headless dialogs and the record of what they
// showed, in memory and as the text files through which a host that reaches
// the plug-in only through its exports (the host simulator, tarvik edit)
// hands over a script and reads the record back.
//
// Both files are UTF-8 lines of tab-separated fields; in a field "%" and
// every character below the space are written as "%" and two hex digits, so
// a field holds any text and a line is always one line.
//
// Answers file, one answer per dialog, in the order the dialogs open:
//   form                          a form; the lines below it until the next
//   set <edit box> <text>         answer are what the user does there, in
//   press <button>                order: type into a box, press a button
//   file ok <name> | file cancel  an open or save dialog
//   folder ok <path> | folder cancel
//   input ok <text> | input cancel
//   message ok                    a message box
// A form whose steps run out while it is open is closed with Esc.
//
// Transcript, one line per event (see TScriptedDialogs for the kinds).
#pragma once
#include <string>
#include <vector>

namespace tarvik::ui {

// The environment variables through which a host names the two files.
inline constexpr const char* kDialogAnswersVariable = "TARVIK_DIALOG_ANSWERS";
inline constexpr const char* kDialogTranscriptVariable = "TARVIK_DIALOG_TRANSCRIPT";

struct TFormStep {
  bool Press = false;  // press Name, or else type Text into Name
  std::string Name;
  std::string Text;
};

struct TDialogAnswer {
  enum TKind { Form, File, Folder, Input, Message };
  TKind Kind = Message;
  std::vector<TFormStep> Steps;  // Form
  bool Confirm = false;          // File, Folder, Input: OK rather than Cancel
  std::string Text;              // what is picked or typed
};

using TDialogScript = std::vector<TDialogAnswer>;

// Shorthands for writing scripts.
inline TFormStep Fill(std::string name, std::string text) { return {false, std::move(name), std::move(text)}; }
inline TFormStep Press(std::string name) { return {true, std::move(name), {}}; }
inline TDialogAnswer FormAnswer(std::vector<TFormStep> steps) {
  return {TDialogAnswer::Form, std::move(steps), false, {}};
}
inline TDialogAnswer Confirm(TDialogAnswer::TKind kind, std::string text) { return {kind, {}, true, std::move(text)}; }
inline TDialogAnswer Dismiss(TDialogAnswer::TKind kind) { return {kind, {}, false, {}}; }

// "form", "file", "folder", "input" or "message".
const char* AnswerKindName(TDialogAnswer::TKind kind);

std::string FormatDialogScript(const TDialogScript& script);
// False, with Error naming the line, when a line is not one of the forms above.
bool ParseDialogScript(const std::string& text, TDialogScript& script, std::string& error);

struct TTranscriptLine {
  std::string Kind;
  std::vector<std::string> Fields;
  bool operator==(const TTranscriptLine&) const = default;
};

// One line with its line end.
std::string FormatTranscriptLine(const TTranscriptLine& line);
// Empty lines are skipped; nothing is refused.
std::vector<TTranscriptLine> ParseTranscript(const std::string& text);

}  // namespace tarvik::ui
