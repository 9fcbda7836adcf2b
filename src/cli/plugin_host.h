// A host of Tarvik.nbp: loads the library, hands it the callbacks a real host
// gives, records every call in order and answers interface-access requests
// from a table. The CLI and the boundary tests both drive the plug-in through it.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host_abi.h"

namespace tarvik {

struct TRegisteredAction {
  int32_t Index = 0;
  std::string Name;
  std::string Hint;
  std::vector<uint8_t> Kinds;
  int32_t HighestKindIndex = 0;
  int32_t ParamCount = 0;
  const uint8_t* KindsAddress = nullptr;  // to see which rows share an array
};

// One recorded callback from the plug-in. Texts are as the plug-in passed
// them: ANSI bytes, not converted.
struct THostEvent {
  enum Type { AddAction, SetVariable, InterfaceAccess } Kind;
  std::string Name;   // action or variable name; for InterfaceAccess the text passed in
  std::string Value;  // variable value
  int32_t Code = 0;   // interface-access code or action index
  bool PassedNull = false;
};

// An answer to an interface-access code: the Boolean result and the text to
// leave in the variable (nullopt leaves it null).
struct THostAnswer {
  bool Result = false;
  std::optional<std::string> Text;
};

// What nbEditAction left in the parameter array: each entry as ANSI text,
// nullopt for null, and whether it differs from what the host passed in (a
// parameter rewritten with its own text counts as unchanged).
struct TEditOutcome {
  bool Result = false;
  std::vector<std::optional<std::string>> Params;
  std::vector<bool> Changed;
};

class TPluginHost {
 public:
  // Loads the library; throws ETarvikError with the loader's message on failure.
  explicit TPluginHost(const std::string& libraryPath);
  ~TPluginHost();
  TPluginHost(const TPluginHost&) = delete;
  TPluginHost& operator=(const TPluginHost&) = delete;

  // The usual start-up: init, register, script processor, interface access.
  void Start(bool withInterfaceAccess = true);

  // The exports, looked up by their plain names.
  nbInitPlugInProc InitPlugIn = nullptr;
  nbRegisterPlugInProc RegisterPlugIn = nullptr;
  nbRegisterScriptProcessorProc RegisterScriptProcessor = nullptr;
  nbRegisterInterfaceAccessProc RegisterInterfaceAccess = nullptr;
  nbEditActionProc EditAction = nullptr;
  nbExecActionProc ExecAction = nullptr;
  nbMessageProc Message = nullptr;

  // Runs an action with parameters given as ANSI texts (nullopt passes null).
  // Like a real host it passes at least as many as the action registered:
  // the missing ones as empty texts, since the plug-in reads that many.
  bool Exec(int32_t index, const std::vector<std::optional<std::string>>& params);
  // Shows an action's property dialog the same way, then frees the blocks
  // the array holds afterwards, as their new owner.
  TEditOutcome Edit(int32_t index, const std::vector<std::optional<std::string>>& params);

  // Answers for interface-access codes; codes without an answer return false
  // and leave the variable untouched.
  std::map<int32_t, THostAnswer> Answers;
  // Told of each interface-access request (code, ANSI text passed in) as it
  // arrives, before it is answered.
  std::function<void(int32_t code, const std::string& passed)> OnRequest;

  std::vector<THostEvent> Events;
  std::vector<TRegisteredAction> Actions;
  std::string Title, Publisher, Hint;  // from nbInitPlugIn, ANSI

  // The variables set since the last ClearEvents, in order.
  std::vector<std::pair<std::string, std::string>> Variables() const;
  // The last value a variable received, if any.
  std::optional<std::string> Variable(const std::string& name) const;
  void ClearEvents() { Events.clear(); }

  // Host-string blocks the plug-in handed back that the host has not freed.
  static char* HostStringOf(const std::string& ansi);

  // Index of an action by name (case-insensitive) or number; 0 when unknown.
  int32_t FindAction(const std::string& nameOrIndex) const;
  // The registered action of that index; null when there is none.
  const TRegisteredAction* ActionAt(int32_t index) const;

 private:
  // Host strings for the parameters, padded to the action's count, plus a
  // null that is never read.
  std::vector<char*> ParamBlocks(int32_t index, const std::vector<std::optional<std::string>>& params);

  void* handle_ = nullptr;
};

// The default location of Tarvik.nbp: TARVIK_PLUGIN when set, else beside
// the running executable.
std::string DefaultPluginPath();

}  // namespace tarvik
