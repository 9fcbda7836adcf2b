// The C boundary between a host and Tarvik.nbp. Fixed: the host simulator,
// the CLI, the Windows host tests and outside hosts all compile against it.
#pragma once
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define HOSTCALL __stdcall
#else
#define HOSTCALL
#endif

typedef int32_t BOOL32;  // 0 or 1

typedef void(HOSTCALL* AddActionProc)(int32_t index, const char* name, const char* hint,
                                      const uint8_t* kinds, int32_t highestKindIndex,
                                      int32_t paramCount);
typedef void(HOSTCALL* SetVariableProc)(const char* name, const char* value);
typedef BOOL32(HOSTCALL* InterfaceAccessProc)(int32_t code, char** hostString);

// No exception leaves any of them: unwinding through a host's frames would
// end its process.
#ifdef __cplusplus
#define HOST_NOEXCEPT noexcept
extern "C" {
#else
#define HOST_NOEXCEPT
#endif
void HOSTCALL nbInitPlugIn(intptr_t hostValue, char** title, char** publisher, char** hint) HOST_NOEXCEPT;
void HOSTCALL nbRegisterPlugIn(AddActionProc addAction, void* spare1, void* spare2,
                               SetVariableProc setVariable) HOST_NOEXCEPT;
void HOSTCALL nbRegisterScriptProcessor(void* scriptProcessor) HOST_NOEXCEPT;
void HOSTCALL nbRegisterInterfaceAccess(InterfaceAccessProc interfaceAccess) HOST_NOEXCEPT;
BOOL32 HOSTCALL nbEditAction(int32_t index, char** params) HOST_NOEXCEPT;
BOOL32 HOSTCALL nbExecAction(int32_t index, char** params) HOST_NOEXCEPT;
void HOSTCALL nbMessage(int32_t code, int32_t reserved) HOST_NOEXCEPT;  // the second argument is never read
#ifdef __cplusplus
}
#endif

// Function-pointer types a host uses after looking the exports up by name.
typedef void(HOSTCALL* nbInitPlugInProc)(intptr_t, char**, char**, char**);
typedef void(HOSTCALL* nbRegisterPlugInProc)(AddActionProc, void*, void*, SetVariableProc);
typedef void(HOSTCALL* nbRegisterScriptProcessorProc)(void*);
typedef void(HOSTCALL* nbRegisterInterfaceAccessProc)(InterfaceAccessProc);
typedef BOOL32(HOSTCALL* nbEditActionProc)(int32_t, char**);
typedef BOOL32(HOSTCALL* nbExecActionProc)(int32_t, char**);
typedef void(HOSTCALL* nbMessageProc)(int32_t, int32_t);
