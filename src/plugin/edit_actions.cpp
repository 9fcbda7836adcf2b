#include "plugin/edit_actions.h"

#include "platform/files.h"
#include "platform/host_string.h"
#include "plugin/module_state.h"
#include "plugin/output_names.h"
#include "plugin/property_forms.h"

namespace tarvik {

namespace {

using ui::TModalResult;

// Interface-access code 8 with parameter 1; a true answer replaces it.
void SelectObject(THostParams& params) {
  std::string answer;
  if (AskHost(8, params.Get(0), answer)) params.Set(0, answer);
}

// Fills an export form from parameters 1 and 2, the output defaulting after
// the presentation, and writes both back when the author confirms two names.
bool EditExport(TovPPTXExportForm& form, THostParams& params, const TOutputDefault& rule) {
  form.SetSourceFile(params.Get(0));
  form.SetOutput(params.Get(1));
  if (form.Output().empty()) form.SetOutput(DefaultOutputName(params.Get(0), rule));
  if (form.ShowModal() != TModalResult::OK) return false;
  if (IsBlank(form.SourceFile()) || IsBlank(form.Output())) return false;
  params.Set(0, form.SourceFile());
  params.Set(1, form.Output());
  return true;
}

// The publication's default: beside the presentation, unless the host names
// a folder for it (code 12), which wins over a name already stored.
std::string ImportOutput(const THostParams& params) {
  const std::string presentation = params.Get(0);
  std::string output = params.Get(1);
  if (output.empty()) output = ReplaceExtension(presentation, ".pub");
  std::string answer;
  if (!AskHost(12, presentation, answer) || answer.empty()) return output;
  std::string folder = FolderPart(answer);
  // A bare name carries no folder; the root of the drive is no default.
  if (folder.empty()) return output;
  if (folder.back() != '\\' && folder.back() != '/') folder += kPathSep;
  return folder + ReplaceExtension(FileNamePart(presentation), ".pub");
}

}  // namespace

std::string THostParams::Get(int32_t index) const {
  return index >= 0 && index < count_ ? ReadHostString(params_[index]) : std::string();
}

void THostParams::Set(int32_t index, const std::string& text) {
  if (index >= 0 && index < count_) AssignHostString(params_[index], text);
}

bool EditAttach(ui::TDialogs& dialogs, THostParams& params) {
  TovPPTXAttachForm form(dialogs);
  form.SetRectangleName(params.Get(0));
  form.SetPPTXFileName(params.Get(1));
  form.SetVariableName(params.Get(2));
  if (form.ShowModal() != TModalResult::OK) return false;
  params.Set(0, form.RectangleName());
  params.Set(1, form.PPTXFileName());
  params.Set(2, form.VariableName());
  return true;
}

bool EditObjectOnly(ui::TDialogs&, THostParams& params) {
  SelectObject(params);
  return true;
}

bool EditGotoSlide(ui::TDialogs& dialogs, THostParams& params) {
  SelectObject(params);
  // Taken as typed: the action reads a number that is none as slide 1.
  std::string slide = params.Get(1);
  if (!dialogs.InputBox("ovPPTXGotoSlide Properties", "Slide number to display (1-based):", slide)) return false;
  params.Set(1, slide);
  return true;
}

bool EditImport(ui::TDialogs& dialogs, THostParams& params) {
  {
    TovPPTXImportForm form(dialogs);
    form.SetPPTXFileName(params.Get(0));
    if (form.ShowModal() != TModalResult::OK || IsBlank(form.PPTXFileName())) return false;
    params.Set(0, form.PPTXFileName());
  }
  std::string output = ImportOutput(params);
  if (!dialogs.InputBox("ovPPTXImport Properties", "Output VisualNEO Win publication (.pub):", output)) return false;
  params.Set(1, output);
  return true;
}

bool EditExportHTML(ui::TDialogs& dialogs, THostParams& params) {
  TovPPTXHTMLForm form(dialogs);
  return EditExport(form, params, {".html", ""});
}

bool EditExportWebFolder(ui::TDialogs& dialogs, THostParams& params) {
  TovPPTXWebForm form(dialogs);
  return EditExport(form, params, {"", "_Web"});
}

bool EditExportH5P(ui::TDialogs& dialogs, THostParams& params) {
  TovPPTXH5PForm form(dialogs);
  return EditExport(form, params, {".h5p", ""});
}

bool EditExportSCORM(ui::TDialogs& dialogs, THostParams& params) {
  TovPPTXH5PForm form(dialogs);
  form.ConfigurePackage("ovPPTXExportSCORM Properties", "Output SCORM 1.2 package (.zip):",
                        "SCORM 1.2 packages (*.zip)|*.zip|All files (*.*)|*.*", "zip");
  return EditExport(form, params, {".scorm.zip", ""});
}

bool EditExportEPUB(ui::TDialogs& dialogs, THostParams& params) {
  TovPPTXH5PForm form(dialogs);
  form.ConfigurePackage("ovPPTXExportEPUB Properties", "Output EPUB 3.3 package (.epub):",
                        "EPUB 3.3 packages (*.epub)|*.epub|All files (*.*)|*.*", "epub");
  return EditExport(form, params, {".epub", ""});
}

// The web-folder form as it is, caption and label included.
bool EditExportPWA(ui::TDialogs& dialogs, THostParams& params) {
  TovPPTXWebForm form(dialogs);
  return EditExport(form, params, {"", "_PWA"});
}

}  // namespace tarvik
