// What nbEditAction does for each action: the property form, input box or
// host picker the author sees, and the parameters written back. Each handler
// answers true when the host should take the parameters; a handler may have
// written some before an author cancels a later step, and those stay written.
#pragma once
#include <cstdint>
#include <string>

namespace tarvik {

namespace ui {
class TDialogs;
}

// The host's parameter array during an edit: entries read with
// ReadHostString and replaced with AssignHostString, which releases the
// host's block first. Indexes past the action's parameters read as empty
// and are never written.
class THostParams {
 public:
  THostParams(char** params, int32_t count) : params_(params), count_(count) {}
  std::string Get(int32_t index) const;
  void Set(int32_t index, const std::string& text);

 private:
  char** params_;
  int32_t count_;
};

bool EditAttach(ui::TDialogs& dialogs, THostParams& params);
// Detach, next and previous: the host's object picker only; always true.
bool EditObjectOnly(ui::TDialogs& dialogs, THostParams& params);
bool EditGotoSlide(ui::TDialogs& dialogs, THostParams& params);
bool EditImport(ui::TDialogs& dialogs, THostParams& params);
bool EditExportHTML(ui::TDialogs& dialogs, THostParams& params);
bool EditExportWebFolder(ui::TDialogs& dialogs, THostParams& params);
bool EditExportH5P(ui::TDialogs& dialogs, THostParams& params);
bool EditExportSCORM(ui::TDialogs& dialogs, THostParams& params);
bool EditExportEPUB(ui::TDialogs& dialogs, THostParams& params);
bool EditExportPWA(ui::TDialogs& dialogs, THostParams& params);

}  // namespace tarvik
