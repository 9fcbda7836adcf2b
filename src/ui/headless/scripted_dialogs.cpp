#include "ui/headless/scripted_dialogs.h"

#include <fstream>
#include <map>
#include <optional>
#include <utility>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/fs_path.h"
#include "platform/system.h"

namespace tarvik::ui {

namespace {

const char* KindName(TFormItemKind kind) {
  switch (kind) {
    case TFormItemKind::Label: return "label";
    case TFormItemKind::Edit: return "edit";
    case TFormItemKind::Button: return "button";
  }
  return "?";
}

const char* RoleName(TButtonRole role) {
  switch (role) {
    case TButtonRole::Plain: return "plain";
    case TButtonRole::Default: return "default";
    case TButtonRole::Cancel: return "cancel";
  }
  return "?";
}

const char* IconName(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::Information: return "information";
    case TMessageIcon::Warning: return "warning";
    case TMessageIcon::Error: return "error";
  }
  return "?";
}

std::string OptionNames(const TFileDialogOptions& o) {
  std::string names;
  auto add = [&](bool on, const char* name) {
    if (on) names += (names.empty() ? "" : ",") + std::string(name);
  };
  add(o.OverwritePrompt, "overwrite-prompt");
  add(o.HideReadOnly, "hide-read-only");
  add(o.PathMustExist, "path-must-exist");
  add(o.FileMustExist, "file-must-exist");
  return names;
}

// As the system dialog does: a name typed without an extension gets the default one.
std::string WithDefaultExt(const std::string& name, const std::string& ext) {
  size_t last = name.find_last_of("./\\:");
  if (ext.empty() || (last != std::string::npos && name[last] == '.')) return name;
  return name + "." + ext;
}

// Why the system dialog would not accept Name; empty when it would.
std::string Refusal(const TFileDialogOptions& o, const std::string& name) {
  if (o.FileMustExist && !FileExists(name)) return "the dialog accepts only an existing file: " + name;
  std::string folder = ExtractFileDir(name);
  if (o.PathMustExist && !folder.empty() && !DirectoryExists(folder))
    return "the dialog accepts only a name in an existing folder: " + name;
  return {};
}

class TScriptedForm : public TForm {
 public:
  TScriptedForm(TScriptedDialogs& owner, const TFormLayout& layout) : owner_(owner), layout_(layout) {}

  void SetCaption(const std::string& caption) override { layout_.Caption = caption; }
  std::string Text(const std::string& name) const override {
    const TFormItem* item = Find(name);
    return item ? item->Text : std::string();
  }
  void SetText(const std::string& name, const std::string& text) override {
    if (TFormItem* item = Find(name)) item->Text = text;
  }
  void Focus(const std::string& name) override { owner_.Record("focus", {name}); }
  void OnClick(const std::string& name, std::function<void()> handler) override { clicks_[name] = std::move(handler); }
  void SetValidator(std::function<bool()> validator) override { validator_ = std::move(validator); }
  TModalResult ShowModal() override;

 private:
  const TFormItem* Find(const std::string& name) const {
    for (const TFormItem& item : layout_.Items)
      if (item.Name == name) return &item;
    return nullptr;
  }
  TFormItem* Find(const std::string& name) { return const_cast<TFormItem*>(std::as_const(*this).Find(name)); }
  void RecordShown();
  void Perform(const TFormStep& step, std::optional<TModalResult>& result);

  TScriptedDialogs& owner_;
  TFormLayout layout_;
  std::map<std::string, std::function<void()>> clicks_;
  std::function<bool()> validator_;
};

void TScriptedForm::RecordShown() {
  owner_.Record("form", {layout_.Caption, std::to_string(layout_.ClientWidth), std::to_string(layout_.ClientHeight)});
  for (const TFormItem& item : layout_.Items)
    owner_.Record("control", {KindName(item.Kind), item.Name, item.Text, std::to_string(item.Left),
                              std::to_string(item.Top), std::to_string(item.Width), std::to_string(item.Height),
                              RoleName(item.Role)});
}

void TScriptedForm::Perform(const TFormStep& step, std::optional<TModalResult>& result) {
  TFormItem* item = Find(step.Name);
  TFormItemKind wanted = step.Press ? TFormItemKind::Button : TFormItemKind::Edit;
  if (item == nullptr || item->Kind != wanted) {
    owner_.Record("note", {std::string("the form has no ") + KindName(wanted) + " " + step.Name});
    return;
  }
  if (!step.Press) {
    item->Text = step.Text;
    owner_.Record("set", {step.Name, step.Text});
    return;
  }
  owner_.Record("press", {step.Name});
  if (item->Role == TButtonRole::Cancel) {
    result = TModalResult::Cancel;
  } else if (item->Role == TButtonRole::Default) {
    if (!validator_ || validator_()) result = TModalResult::OK;
  } else if (auto click = clicks_.find(step.Name); click != clicks_.end() && click->second) {
    // A copy: the handler may replace itself.
    std::function<void()> handler = click->second;
    handler();
  }
}

TModalResult TScriptedForm::ShowModal() {
  RecordShown();
  std::optional<TModalResult> result;
  TDialogAnswer answer;
  if (owner_.NextAnswer(TDialogAnswer::Form, answer)) {
    size_t done = 0;
    while (done < answer.Steps.size() && !result) Perform(answer.Steps[done++], result);
    if (done < answer.Steps.size())
      owner_.Record("note", {std::to_string(answer.Steps.size() - done) + " steps left after the form closed"});
  }
  if (!result) {
    owner_.Record("note", {"the script leaves the form open: Esc"});
    result = TModalResult::Cancel;
  }
  owner_.Record("close", {*result == TModalResult::OK ? "ok" : "cancel"});
  return *result;
}

}  // namespace

void TScriptedDialogs::Restart(TDialogScript script) {
  script_ = std::move(script);
  next_ = 0;
  transcript_.clear();
}

void TScriptedDialogs::Record(std::string kind, std::vector<std::string> fields) {
  transcript_.push_back({std::move(kind), std::move(fields)});
  if (OnRecord) OnRecord(transcript_.back());
}

bool TScriptedDialogs::NextAnswer(TDialogAnswer::TKind kind, TDialogAnswer& answer) {
  if (next_ >= script_.size()) {
    Record("note", {std::string("no answer left for this ") + AnswerKindName(kind)});
    return false;
  }
  answer = script_[next_++];
  if (answer.Kind == kind) return true;
  Record("note", {std::string("the answer is for a ") + AnswerKindName(answer.Kind) + ", not for this " +
                  AnswerKindName(kind)});
  return false;
}

bool TScriptedDialogs::Answer(TDialogAnswer::TKind kind, std::string& text) {
  TDialogAnswer answer;
  if (!NextAnswer(kind, answer) || !answer.Confirm) {
    Record("answer", {"cancel"});
    return false;
  }
  text = answer.Text;
  return true;
}

std::unique_ptr<TForm> TScriptedDialogs::CreateForm(const TFormLayout& layout) {
  return std::make_unique<TScriptedForm>(*this, layout);
}

bool TScriptedDialogs::PickFile(const TFileDialogOptions& o, std::string& fileName) {
  Record(o.Save ? "save" : "open", {o.Title, o.Filter, o.DefaultExt, o.InitialFile, o.InitialDir, OptionNames(o)});
  std::string picked;
  if (!Answer(TDialogAnswer::File, picked)) return false;
  picked = WithDefaultExt(picked, o.DefaultExt);
  if (std::string refusal = Refusal(o, picked); !refusal.empty()) {
    Record("note", {refusal});
    Record("answer", {"cancel"});
    return false;
  }
  Record("answer", {"ok", picked});
  fileName = picked;
  return true;
}

bool TScriptedDialogs::BrowseForFolder(const std::string& prompt, std::string& folder) {
  Record("folder", {prompt, folder});
  std::string picked;
  if (!Answer(TDialogAnswer::Folder, picked)) return false;
  if (!DirectoryExists(picked)) {
    // The browser offers only folders that exist.
    Record("note", {"no such folder to pick: " + picked});
    Record("answer", {"cancel"});
    return false;
  }
  Record("answer", {"ok", picked});
  folder = picked;
  return true;
}

void TScriptedDialogs::ShowMessage(const std::string& caption, const std::string& text, TMessageIcon icon) {
  Record("message", {caption, text, IconName(icon)});
  TDialogAnswer answer;
  NextAnswer(TDialogAnswer::Message, answer);  // its one button closes it either way
}

bool TScriptedDialogs::InputBox(const std::string& caption, const std::string& prompt, std::string& text) {
  Record("input", {caption, prompt, text});
  std::string typed;
  if (!Answer(TDialogAnswer::Input, typed)) return false;
  Record("answer", {"ok", typed});
  text = typed;
  return true;
}

#if !defined(_WIN32)
namespace {

// The script the environment names; none, and a note, when it cannot be read.
TDialogScript ScriptFromEnvironment(std::string& problem) {
  TDialogScript script;
  std::string path = GetEnvVar(kDialogAnswersVariable);
  if (path.empty()) return script;
  try {
    if (!ParseDialogScript(ReadFileBytes(path), script, problem)) problem = "answers file " + path + ": " + problem;
  } catch (const ETarvikError& e) {
    problem = e.what();
  }
  return script;
}

void AppendLine(const std::string& path, const TTranscriptLine& line) {
  std::ofstream out(ToFs(path), std::ios::binary | std::ios::app);
  out << FormatTranscriptLine(line);
}

}  // namespace

TDialogs& DefaultDialogs() {
  static TScriptedDialogs dialogs;
  std::string problem;
  dialogs.Restart(ScriptFromEnvironment(problem));
  dialogs.OnRecord = nullptr;
  std::string transcript = GetEnvVar(kDialogTranscriptVariable);
  if (!transcript.empty()) {
    std::ofstream(ToFs(transcript), std::ios::binary | std::ios::trunc);
    dialogs.OnRecord = [transcript](const TTranscriptLine& line) { AppendLine(transcript, line); };
  }
  if (!problem.empty()) dialogs.Record("note", {problem});
  return dialogs;
}
#endif

}  // namespace tarvik::ui
