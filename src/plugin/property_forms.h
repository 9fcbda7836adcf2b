// The five property forms of nbEditAction. Each is a dialogs-layer form laid
// out from its table, lives for one edit and reads or writes its properties
// straight from its edit boxes. Their Browse and Select buttons work on their
// own: file and folder pickers, and the host's object and variable pickers
// (interface-access codes 8 and 14, skipped when the host offers none).
#pragma once
#include <memory>
#include <string>

#include "ui/dialogs.h"

namespace tarvik {

class TovPPTXImportForm {
 public:
  explicit TovPPTXImportForm(ui::TDialogs& dialogs);
  std::string PPTXFileName() const { return form_->Text("FEdFile"); }
  void SetPPTXFileName(const std::string& name) { form_->SetText("FEdFile", name); }
  ui::TModalResult ShowModal() { return form_->ShowModal(); }

 private:
  ui::TDialogs& dialogs_;
  std::unique_ptr<ui::TForm> form_;
  ui::TFileDialogOptions FOpenDialog;
};

// The grid the HTML, web-folder and H5P forms share: a presentation row and
// an output row, whose label and button the forms name.
class TovPPTXExportForm {
 public:
  std::string SourceFile() const { return form_->Text("FEdSource"); }
  void SetSourceFile(const std::string& name) { form_->SetText("FEdSource", name); }
  // The form's OutputFile or OutputFolder.
  std::string Output() const { return form_->Text("FEdOutput"); }
  void SetOutput(const std::string& name) { form_->SetText("FEdOutput", name); }
  ui::TModalResult ShowModal() { return form_->ShowModal(); }

 protected:
  TovPPTXExportForm(ui::TDialogs& dialogs, const char* caption, const char* outputLabel, const char* outputButton);
  ~TovPPTXExportForm() = default;

  ui::TDialogs& dialogs_;
  std::unique_ptr<ui::TForm> form_;
  ui::TFileDialogOptions FOpenDialog;
  ui::TFileDialogOptions FSaveDialog;  // the forms with an output file
};

class TovPPTXHTMLForm : public TovPPTXExportForm {
 public:
  explicit TovPPTXHTMLForm(ui::TDialogs& dialogs);
  std::string OutputFile() const { return Output(); }
  void SetOutputFile(const std::string& name) { SetOutput(name); }
};

class TovPPTXWebForm : public TovPPTXExportForm {
 public:
  explicit TovPPTXWebForm(ui::TDialogs& dialogs);
  std::string OutputFolder() const { return Output(); }
  void SetOutputFolder(const std::string& name) { SetOutput(name); }
};

// Also the SCORM and EPUB forms, through ConfigurePackage.
class TovPPTXH5PForm : public TovPPTXExportForm {
 public:
  explicit TovPPTXH5PForm(ui::TDialogs& dialogs);
  std::string OutputFile() const { return Output(); }
  void SetOutputFile(const std::string& name) { SetOutput(name); }
  // The save dialog keeps its title.
  void ConfigurePackage(const std::string& caption, const std::string& label, const std::string& filter,
                        const std::string& defaultExt);
};

// OK closes the form only once the Rectangle and the presentation pass the
// checks; each problem is shown in a message box and the form stays open.
class TovPPTXAttachForm {
 public:
  explicit TovPPTXAttachForm(ui::TDialogs& dialogs);
  std::string RectangleName() const { return form_->Text("FEdRectangle"); }
  void SetRectangleName(const std::string& name) { form_->SetText("FEdRectangle", name); }
  std::string PPTXFileName() const { return form_->Text("FEdFile"); }
  void SetPPTXFileName(const std::string& name) { form_->SetText("FEdFile", name); }
  std::string VariableName() const { return form_->Text("FEdVariable"); }
  void SetVariableName(const std::string& name) { form_->SetText("FEdVariable", name); }
  ui::TModalResult ShowModal() { return form_->ShowModal(); }

 private:
  bool Validate();

  ui::TDialogs& dialogs_;
  std::unique_ptr<ui::TForm> form_;
  ui::TFileDialogOptions FOpenDialog;
};

}  // namespace tarvik
