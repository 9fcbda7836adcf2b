#include "plugin/handlers.h"

#include "plugin/action_table.h"
#include "plugin/export_actions.h"
#include "plugin/import_action.h"

namespace tarvik {

TActionHandler ActionHandler(int32_t index) {
  // Indexes in table order; later work fills in the entries as handlers land.
  static const TActionHandler kHandlers[kActionCount] = {
      nullptr, nullptr, nullptr, nullptr, nullptr, ExecImport,
      ExecExportHTML, ExecExportWebFolder, ExecExportH5P, ExecExportSCORM, ExecExportEPUB, ExecExportPWA,
  };
  if (index < 1 || index > kActionCount) return nullptr;
  return kHandlers[index - 1];
}

}  // namespace tarvik
