#include "plugin/module_state.h"

#include "platform/codepage.h"
#include "platform/host_string.h"

namespace tarvik {

namespace {
// Constant-initialised: no guard, no allocation, nothing that can fail when
// the registration exports reach it first.
constinit TModuleState gModuleState;
}  // namespace

TModuleState& Module() noexcept { return gModuleState; }

void SetHostVariable(const std::string& name, const std::string& value) {
  SetVariableProc setVariable = Module().SetVariable;
  if (setVariable == nullptr) return;
  std::string ansiName = Utf8ToAnsi(name);
  std::string ansiValue = Utf8ToAnsi(value);
  setVariable(ansiName.c_str(), ansiValue.c_str());
}

bool AskHost(int32_t code, const std::string& text, std::string& answer) {
  InterfaceAccessProc access = Module().InterfaceAccess;
  answer.clear();
  if (access == nullptr) return false;
  char* hostString = nullptr;
  AssignHostString(hostString, text);
  bool result = access(code, &hostString) != 0;
  answer = ReadHostString(hostString);
  FreeHostString(hostString);
  return result;
}

bool HostHasInterfaceAccess() {
  InterfaceAccessProc access = Module().InterfaceAccess;
  if (access == nullptr) return false;
  char* hostString = nullptr;
  access(6, &hostString);
  bool has = hostString != nullptr;
  FreeHostString(hostString);
  return has;
}

}  // namespace tarvik
