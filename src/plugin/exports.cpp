// The seven functions the host calls. No exception may cross this boundary:
// unwinding through the host's frames would end its process.
#include "platform/error.h"
#include "platform/host_abi.h"
#include "platform/host_string.h"
#include "plugin/action_table.h"
#include "plugin/dispatch.h"
#include "plugin/module_state.h"
#include "plugin/viewer_registry.h"

using namespace tarvik;

namespace {

BOOL32 GuardedAction(bool (*run)(int32_t, char**), int32_t index, char** params) noexcept {
  return GuardExport([&] { return run(index, params); }) ? 1 : 0;
}

}  // namespace

extern "C" {

void HOSTCALL nbInitPlugIn(intptr_t hostValue, char** title, char** publisher, char** hint) noexcept {
  try {
    Module().HostInitArgument = hostValue;
    if (title) AssignHostString(*title, PluginTitle);
    if (publisher) AssignHostString(*publisher, PluginPublisher);
    if (hint) AssignHostString(*hint, PluginHint);
  } catch (...) {
  }
}

void HOSTCALL nbRegisterPlugIn(AddActionProc addAction, void* spare1, void* spare2,
                               SetVariableProc setVariable) noexcept {
  // Nothing here allocates or raises: the state is plain pointers set in place.
  TModuleState& state = Module();
  state.AddAction = addAction;
  state.SpareCallback1 = spare1;
  state.SpareCallback2 = spare2;
  state.SetVariable = setVariable;
  if (addAction == nullptr) return;
  for (int32_t i = 0; i < kActionCount; ++i) {
    const TActionInfo& row = kActions[i];
    addAction(i + 1, row.Name, row.Hint, row.Kinds, row.ParamCount - 1, row.ParamCount);
  }
}

void HOSTCALL nbRegisterScriptProcessor(void* scriptProcessor) noexcept {
  Module().ScriptProcessor = scriptProcessor;
}

void HOSTCALL nbRegisterInterfaceAccess(InterfaceAccessProc interfaceAccess) noexcept {
  Module().InterfaceAccess = interfaceAccess;
}

BOOL32 HOSTCALL nbEditAction(int32_t index, char** params) noexcept {
  return GuardedAction(EditAction, index, params);
}

BOOL32 HOSTCALL nbExecAction(int32_t index, char** params) noexcept {
  return GuardedAction(ExecAction, index, params);
}

void HOSTCALL nbMessage(int32_t code, int32_t /*reserved*/) noexcept {
  try {
    if (code == 2) FreeAllViewers();
  } catch (...) {
  }
}

}  // extern "C"
