#include "plugin/property_forms.h"

#include <span>

#include "platform/files.h"
#include "plugin/module_state.h"
#include "plugin/output_names.h"

namespace tarvik {

namespace {

using ui::TButtonRole;
using ui::TFormItemKind;

// Buttons keep the toolkit's default height; edit boxes are single-line.
constexpr int32_t kEditHeight = 25;
constexpr int32_t kButtonHeight = 25;
constexpr int32_t kButtonWidth = 85;

// One control of a form, in creation order: row by row (label, edit box,
// button), then OK and Cancel, which is also the tab order. Plain constants,
// so that nothing runs when the library loads.
struct TFormRow {
  TFormItemKind Kind;
  const char* Name;
  const char* Text;
  int32_t Left, Top, Width;
  TButtonRole Role = TButtonRole::Plain;
};

constexpr TFormItemKind kLabel = TFormItemKind::Label;
constexpr TFormItemKind kEdit = TFormItemKind::Edit;
constexpr TFormItemKind kButton = TFormItemKind::Button;

constexpr TFormRow kImportRows[] = {
    {kLabel, "FLblFile", "PowerPoint presentation (.pptx):", 24, 38, 0},
    {kEdit, "FEdFile", "", 190, 34, 340},
    {kButton, "FBtnBrowse", "Browse...", 540, 33, kButtonWidth},
    {kButton, "FBtnOK", "OK", 450, 92, kButtonWidth, TButtonRole::Default},
    {kButton, "FBtnCancel", "Cancel", 540, 92, kButtonWidth, TButtonRole::Cancel},
};

// The output label's and button's texts come from each form.
constexpr TFormRow kExportRows[] = {
    {kLabel, "FLblSource", "PowerPoint presentation (.pptx):", 24, 38, 0},
    {kEdit, "FEdSource", "", 205, 34, 325},
    {kButton, "FBtnSource", "Browse...", 540, 33, kButtonWidth},
    {kLabel, "FLblOutput", "", 24, 83, 0},
    {kEdit, "FEdOutput", "", 205, 79, 325},
    {kButton, "FBtnOutput", "", 540, 78, kButtonWidth},
    {kButton, "FBtnOK", "OK", 450, 135, kButtonWidth, TButtonRole::Default},
    {kButton, "FBtnCancel", "Cancel", 540, 135, kButtonWidth, TButtonRole::Cancel},
};

constexpr TFormRow kAttachRows[] = {
    {kLabel, "FLblRectangle", "Host Rectangle:", 24, 28, 0},
    {kEdit, "FEdRectangle", "", 145, 24, 385},
    {kButton, "FBtnRectangle", "Select...", 540, 23, kButtonWidth},
    {kLabel, "FLblFile", "PowerPoint file (.pptx):", 24, 73, 0},
    {kEdit, "FEdFile", "", 145, 69, 385},
    {kButton, "FBtnFile", "Browse...", 540, 68, kButtonWidth},
    {kLabel, "FLblVariable", "Number of slides variable:", 24, 118, 0},
    {kEdit, "FEdVariable", "", 145, 114, 385},
    {kButton, "FBtnVariable", "Select...", 540, 113, kButtonWidth},
    {kButton, "FBtnOK", "OK", 450, 180, kButtonWidth, TButtonRole::Default},
    {kButton, "FBtnCancel", "Cancel", 540, 180, kButtonWidth, TButtonRole::Cancel},
};

ui::TFormLayout Layout(const char* caption, int32_t width, int32_t height, std::span<const TFormRow> rows) {
  ui::TFormLayout layout{caption, width, height, {}};
  for (const TFormRow& row : rows) {
    int32_t rowHeight = row.Kind == kEdit ? kEditHeight : row.Kind == kButton ? kButtonHeight : 0;
    layout.Items.push_back({row.Kind, row.Name, row.Text, row.Left, row.Top, row.Width, rowHeight, row.Role});
  }
  return layout;
}

ui::TFileDialogOptions PresentationOpenDialog() {
  ui::TFileDialogOptions o;
  o.Title = "Select PowerPoint Presentation";
  o.Filter = "PowerPoint Presentations (*.pptx)|*.pptx|All files (*.*)|*.*";
  o.DefaultExt = "pptx";
  o.HideReadOnly = o.PathMustExist = o.FileMustExist = true;
  return o;
}

ui::TFileDialogOptions SaveDialog(const char* title, const char* filter, const char* defaultExt) {
  ui::TFileDialogOptions o;
  o.Save = true;
  o.Title = title;
  o.Filter = filter;
  o.DefaultExt = defaultExt;
  o.OverwritePrompt = o.HideReadOnly = o.PathMustExist = true;
  return o;
}

// The open dialog starts on the box's file, or else in the folder the box
// names, and its choice replaces the box.
void BrowseExisting(ui::TDialogs& dialogs, ui::TForm& form, const char* box, ui::TFileDialogOptions options) {
  std::string current = form.Text(box);
  if (FileExists(current)) options.InitialFile = current;
  else if (!current.empty() && DirectoryExists(FolderPart(current))) options.InitialDir = FolderPart(current);
  std::string picked;
  if (dialogs.PickFile(options, picked)) form.SetText(box, picked);
}

// Interface-access request Code with the box's text; a true answer replaces it.
void AskHostInto(ui::TForm& form, const char* box, int32_t code) {
  std::string answer;
  if (AskHost(code, form.Text(box), answer)) form.SetText(box, answer);
}

}  // namespace

TovPPTXImportForm::TovPPTXImportForm(ui::TDialogs& dialogs)
    : dialogs_(dialogs),
      form_(dialogs.CreateForm(Layout("ovPPTXImport Properties", 650, 145, kImportRows))),
      FOpenDialog(PresentationOpenDialog()) {
  form_->OnClick("FBtnBrowse", [this] { BrowseExisting(dialogs_, *form_, "FEdFile", FOpenDialog); });
}

TovPPTXExportForm::TovPPTXExportForm(ui::TDialogs& dialogs, const char* caption, const char* outputLabel,
                                     const char* outputButton)
    : dialogs_(dialogs), form_(dialogs.CreateForm(Layout(caption, 650, 190, kExportRows))),
      FOpenDialog(PresentationOpenDialog()) {
  form_->SetText("FLblOutput", outputLabel);
  form_->SetText("FBtnOutput", outputButton);
  form_->OnClick("FBtnSource", [this] {
    std::string picked;
    if (dialogs_.PickFile(FOpenDialog, picked)) SetSourceFile(picked);
  });
  // The output file forms: the save dialog starts on the box's name.
  form_->OnClick("FBtnOutput", [this] {
    ui::TFileDialogOptions options = FSaveDialog;
    options.InitialFile = Output();
    std::string picked;
    if (dialogs_.PickFile(options, picked)) SetOutput(picked);
  });
}

TovPPTXHTMLForm::TovPPTXHTMLForm(ui::TDialogs& dialogs)
    : TovPPTXExportForm(dialogs, "ovPPTXExportHTML Properties", "Output HTML5 file:", "Browse...") {
  FSaveDialog = SaveDialog("Save HTML5 Presentation", "HTML5 files (*.html)|*.html|All files (*.*)|*.*", "html");
}

TovPPTXWebForm::TovPPTXWebForm(ui::TDialogs& dialogs)
    : TovPPTXExportForm(dialogs, "ovPPTXExportWebFolder Properties", "Output web folder:", "Select...") {
  form_->OnClick("FBtnOutput", [this] {
    std::string folder = DirectoryExists(Output()) ? Output() : std::string();
    if (dialogs_.BrowseForFolder("Select output web folder", folder)) SetOutput(folder);
  });
}

TovPPTXH5PForm::TovPPTXH5PForm(ui::TDialogs& dialogs)
    : TovPPTXExportForm(dialogs, "ovPPTXExportH5P Properties", "Output H5P package (.h5p):", "Browse...") {
  FSaveDialog = SaveDialog("Save H5P Package", "H5P packages (*.h5p)|*.h5p|All files (*.*)|*.*", "h5p");
}

void TovPPTXH5PForm::ConfigurePackage(const std::string& caption, const std::string& label,
                                      const std::string& filter, const std::string& defaultExt) {
  form_->SetCaption(caption);
  form_->SetText("FLblOutput", label);
  FSaveDialog.Filter = filter;
  FSaveDialog.DefaultExt = defaultExt;
}

TovPPTXAttachForm::TovPPTXAttachForm(ui::TDialogs& dialogs)
    : dialogs_(dialogs),
      form_(dialogs.CreateForm(Layout("ovPPTXAttach Properties", 650, 235, kAttachRows))),
      FOpenDialog(PresentationOpenDialog()) {
  form_->OnClick("FBtnRectangle", [this] { AskHostInto(*form_, "FEdRectangle", 8); });
  form_->OnClick("FBtnFile", [this] { BrowseExisting(dialogs_, *form_, "FEdFile", FOpenDialog); });
  form_->OnClick("FBtnVariable", [this] { AskHostInto(*form_, "FEdVariable", 14); });
  form_->SetValidator([this] { return Validate(); });
}

bool TovPPTXAttachForm::Validate() {
  auto refuse = [this](const char* caption, const char* text, ui::TMessageIcon icon, const char* box) {
    dialogs_.ShowMessage(caption, text, icon);
    form_->Focus(box);
    return false;
  };
  if (IsBlank(RectangleName()))
    return refuse("Warning", "Please select a VisualNEO Win Rectangle.", ui::TMessageIcon::Warning, "FEdRectangle");
  const std::string file = PPTXFileName();
  if (IsBlank(file))
    return refuse("Warning", "Please select a PowerPoint presentation.", ui::TMessageIcon::Warning, "FEdFile");
  // A bracketed name is a variable the script fills in at run time.
  if (file.front() == '[' || FileExists(file)) return true;
  return refuse("Error", "The selected PowerPoint file does not exist.", ui::TMessageIcon::Error, "FEdFile");
}

}  // namespace tarvik
