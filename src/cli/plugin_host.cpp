#include "cli/plugin_host.h"

#include <algorithm>
#include <cstring>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/host_string.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace tarvik {

namespace {

// The plug-in's callbacks carry no context pointer, so the host that is
// currently running is reached through this one slot.
TPluginHost* gActiveHost = nullptr;

void HOSTCALL OnAddAction(int32_t index, const char* name, const char* hint, const uint8_t* kinds,
                          int32_t highestKindIndex, int32_t paramCount) {
  if (!gActiveHost) return;
  TRegisteredAction action;
  action.Index = index;
  action.Name = name ? name : "";
  action.Hint = hint ? hint : "";
  if (kinds && paramCount > 0) action.Kinds.assign(kinds, kinds + paramCount);
  action.KindsAddress = kinds;
  action.HighestKindIndex = highestKindIndex;
  action.ParamCount = paramCount;
  gActiveHost->Actions.push_back(action);
  gActiveHost->Events.push_back({THostEvent::AddAction, action.Name, "", index, name == nullptr});
}

void HOSTCALL OnSetVariable(const char* name, const char* value) {
  if (!gActiveHost) return;
  gActiveHost->Events.push_back(
      {THostEvent::SetVariable, name ? name : "", value ? value : "", 0, value == nullptr});
}

BOOL32 HOSTCALL OnInterfaceAccess(int32_t code, char** hostString) {
  if (!gActiveHost) return 0;
  bool passedNull = hostString == nullptr || *hostString == nullptr;
  std::string passed = passedNull ? std::string() : std::string(*hostString);
  gActiveHost->Events.push_back({THostEvent::InterfaceAccess, passed, "", code, passedNull});
  if (gActiveHost->OnRequest) gActiveHost->OnRequest(code, passed);
  auto it = gActiveHost->Answers.find(code);
  if (it == gActiveHost->Answers.end() || hostString == nullptr) return 0;
  // A host may release the plug-in's block and store one of its own.
  FreeHostString(*hostString);
  if (it->second.Text) *hostString = TPluginHost::HostStringOf(*it->second.Text);
  return it->second.Result ? 1 : 0;
}

void* LoadLibraryAt(const std::string& path, std::string& error) {
#ifdef _WIN32
  std::u16string wide = Utf8ToUtf16(path);
  HMODULE module = LoadLibraryW(reinterpret_cast<const wchar_t*>(wide.c_str()));
  if (!module) error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(module);
#else
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) error = dlerror();
  return handle;
#endif
}

void* Symbol(void* handle, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
#else
  return dlsym(handle, name);
#endif
}

}  // namespace

TPluginHost::TPluginHost(const std::string& libraryPath) {
  std::string error;
  handle_ = LoadLibraryAt(libraryPath, error);
  if (!handle_) throw ETarvikError("Cannot load the plug-in: " + error);
  auto need = [&](const char* name) {
    void* p = Symbol(handle_, name);
    if (!p) throw ETarvikError(std::string("The plug-in does not export ") + name + ".");
    return p;
  };
  InitPlugIn = reinterpret_cast<nbInitPlugInProc>(need("nbInitPlugIn"));
  RegisterPlugIn = reinterpret_cast<nbRegisterPlugInProc>(need("nbRegisterPlugIn"));
  RegisterScriptProcessor =
      reinterpret_cast<nbRegisterScriptProcessorProc>(need("nbRegisterScriptProcessor"));
  RegisterInterfaceAccess =
      reinterpret_cast<nbRegisterInterfaceAccessProc>(need("nbRegisterInterfaceAccess"));
  EditAction = reinterpret_cast<nbEditActionProc>(need("nbEditAction"));
  ExecAction = reinterpret_cast<nbExecActionProc>(need("nbExecAction"));
  Message = reinterpret_cast<nbMessageProc>(need("nbMessage"));
  gActiveHost = this;
}

TPluginHost::~TPluginHost() {
  if (gActiveHost == this) gActiveHost = nullptr;
  // The library stays loaded: a real host unloads only at exit, and the
  // plug-in keeps nothing that needs releasing at unload.
}

void TPluginHost::Start(bool withInterfaceAccess) {
  gActiveHost = this;
  char* title = nullptr;
  char* publisher = nullptr;
  char* hint = nullptr;
  InitPlugIn(0, &title, &publisher, &hint);
  Title = title ? title : "";
  Publisher = publisher ? publisher : "";
  Hint = hint ? hint : "";
  FreeHostString(title);
  FreeHostString(publisher);
  FreeHostString(hint);
  RegisterPlugIn(OnAddAction, nullptr, nullptr, OnSetVariable);
  RegisterScriptProcessor(nullptr);
  RegisterInterfaceAccess(withInterfaceAccess ? OnInterfaceAccess : nullptr);
}

char* TPluginHost::HostStringOf(const std::string& ansi) {
  char* block = HostAlloc(ansi.size() + 1);
  std::memcpy(block, ansi.c_str(), ansi.size() + 1);
  return block;
}

std::vector<char*> TPluginHost::ParamBlocks(int32_t index, const std::vector<std::optional<std::string>>& params) {
  gActiveHost = this;
  std::vector<char*> blocks;
  for (const auto& p : params) blocks.push_back(p ? HostStringOf(*p) : nullptr);
  if (const TRegisteredAction* action = ActionAt(index))
    while (blocks.size() < static_cast<size_t>(std::max(action->ParamCount, 0))) blocks.push_back(HostStringOf(""));
  blocks.push_back(nullptr);  // never read; keeps data() valid for an empty list
  return blocks;
}

bool TPluginHost::Exec(int32_t index, const std::vector<std::optional<std::string>>& params) {
  std::vector<char*> blocks = ParamBlocks(index, params);
  bool result = ExecAction(index, blocks.data()) != 0;
  for (char*& b : blocks) FreeHostString(b);
  return result;
}

TEditOutcome TPluginHost::Edit(int32_t index, const std::vector<std::optional<std::string>>& params) {
  std::vector<char*> blocks = ParamBlocks(index, params);
  std::vector<std::optional<std::string>> before;
  for (size_t i = 0; i + 1 < blocks.size(); ++i)
    before.push_back(blocks[i] ? std::optional<std::string>(blocks[i]) : std::nullopt);
  TEditOutcome outcome;
  outcome.Result = EditAction(index, blocks.data()) != 0;
  for (size_t i = 0; i < before.size(); ++i) {
    outcome.Params.push_back(blocks[i] ? std::optional<std::string>(blocks[i]) : std::nullopt);
    outcome.Changed.push_back(outcome.Params.back() != before[i]);
  }
  for (char*& b : blocks) FreeHostString(b);
  return outcome;
}

std::vector<std::pair<std::string, std::string>> TPluginHost::Variables() const {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& e : Events)
    if (e.Kind == THostEvent::SetVariable) out.emplace_back(e.Name, e.Value);
  return out;
}

std::optional<std::string> TPluginHost::Variable(const std::string& name) const {
  std::optional<std::string> value;
  for (const auto& e : Events)
    if (e.Kind == THostEvent::SetVariable && e.Name == name) value = e.Value;
  return value;
}

int32_t TPluginHost::FindAction(const std::string& nameOrIndex) const {
  bool digits = !nameOrIndex.empty() &&
                nameOrIndex.find_first_not_of("0123456789") == std::string::npos;
  if (digits) {
    if (nameOrIndex.size() > 3) return 0;
    int32_t index = std::stoi(nameOrIndex);
    for (const auto& a : Actions)
      if (a.Index == index) return index;
    return 0;
  }
  for (const auto& a : Actions)
    if (SameText(a.Name, nameOrIndex)) return a.Index;
  return 0;
}

const TRegisteredAction* TPluginHost::ActionAt(int32_t index) const {
  for (const auto& a : Actions)
    if (a.Index == index) return &a;
  return nullptr;
}

std::string DefaultPluginPath() {
  std::string fromEnv = GetEnvVar("TARVIK_PLUGIN");
  if (!fromEnv.empty()) return fromEnv;
#ifdef _WIN32
  wchar_t buffer[32768];
  DWORD n = GetModuleFileNameW(nullptr, buffer, 32768);
  std::string exe = Utf16ToUtf8(std::u16string(reinterpret_cast<char16_t*>(buffer), n));
#else
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string exe = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
#endif
  return JoinPath(ExtractFileDir(exe), "Tarvik.nbp");
}

}  // namespace tarvik
