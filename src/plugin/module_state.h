// What one loaded plug-in remembers between host calls. Everything starts
// null; loading the library runs none of our code.
#pragma once
#include <cstdint>
#include <string>

#include "platform/host_abi.h"

namespace tarvik {

struct TModuleState {
  intptr_t HostInitArgument = 0;
  AddActionProc AddAction = nullptr;
  void* SpareCallback1 = nullptr;
  void* SpareCallback2 = nullptr;
  SetVariableProc SetVariable = nullptr;
  void* ScriptProcessor = nullptr;
  InterfaceAccessProc InterfaceAccess = nullptr;
};

TModuleState& Module() noexcept;

// Sets a host variable (name with its brackets). Converts both texts to ANSI
// for the duration of the call; the host copies what it keeps. A host that
// never registered its callback gets nothing rather than a crash.
void SetHostVariable(const std::string& name, const std::string& value);

// True when the host answers interface-access code 6 with a text.
bool HostHasInterfaceAccess();

// Asks the host with an interface-access code, passing Text in. Returns the
// host's Boolean; Answer receives the text the variable holds afterwards.
bool AskHost(int32_t code, const std::string& text, std::string& answer);

}  // namespace tarvik
