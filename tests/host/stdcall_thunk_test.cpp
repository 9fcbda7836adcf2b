// Calls every export of Tarvik.nbp through a thunk that pushes the contract's
// 32-bit arguments itself and measures ESP around the call. A __stdcall
// callee pops its own arguments, so a cdecl export or a wrong argument count
// shows up here as a moved stack instead of as a crash later in a real host.
// Only 32-bit Windows has two calling conventions to mix up; elsewhere the
// suite reports itself skipped rather than passed.
#if defined(_WIN32) && !defined(_WIN64)

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "cli/plugin_host.h"
#include "platform/host_abi.h"
#include "platform/host_string.h"

// TarvikCallMeasured(fn, args, count, &delta) pushes args[count-1] .. args[0],
// calls fn and stores ESP after the call minus ESP before the pushes: 0 when
// the callee popped exactly what was pushed, -4 per argument it left behind.
// ESP is then restored, so a mismatch cannot derail the test itself.
extern "C" uint32_t __cdecl TarvikCallMeasured(const void* fn, const uint32_t* args,
                                               int32_t count, int32_t* espDelta);
asm(R"(
    .text
    .globl _TarvikCallMeasured
    .def _TarvikCallMeasured; .scl 2; .type 32; .endef
_TarvikCallMeasured:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 8(%ebp), %eax
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %edi
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *%eax
    movl %esp, %ecx
    subl %edi, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    movl %edi, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace tarvik {
namespace {

struct TMeasured {
  uint32_t Result = 0;
  int32_t EspDelta = 0;
};

template <typename Fn>
TMeasured CallMeasured(Fn fn, std::vector<uint32_t> args) {
  TMeasured m;
  m.Result = TarvikCallMeasured(reinterpret_cast<const void*>(fn), args.data(),
                                static_cast<int32_t>(args.size()), &m.EspDelta);
  return m;
}

template <typename T>
uint32_t Arg(T* p) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

// The callbacks note the stack depth they are entered at: a plug-in that
// called them as cdecl would drift by their argument size on every call.
std::vector<uintptr_t> gAddActionFrames;
int gSetVariableCalls = 0;

__attribute__((noinline)) void HOSTCALL RecordAddAction(int32_t, const char*, const char*,
                                                        const uint8_t*, int32_t, int32_t) {
  gAddActionFrames.push_back(reinterpret_cast<uintptr_t>(__builtin_frame_address(0)));
}

void HOSTCALL RecordSetVariable(const char*, const char*) { ++gSetVariableCalls; }

BOOL32 HOSTCALL NoInterfaceAccess(int32_t, char**) { return 0; }

int __cdecl CdeclPair(int a, int b) { return a + b; }
int __stdcall StdcallPair(int a, int b) { return a * b; }

TEST(StdcallThunk, MeasuresWhatTheCalleePops) {
  // The thunk must see the difference, or every check below would pass vacuously.
  TMeasured cdeclCall = CallMeasured(&CdeclPair, {3, 4});
  EXPECT_EQ(cdeclCall.Result, 7u);
  EXPECT_EQ(cdeclCall.EspDelta, -8);
  TMeasured stdcallCall = CallMeasured(&StdcallPair, {3, 4});
  EXPECT_EQ(stdcallCall.Result, 12u);
  EXPECT_EQ(stdcallCall.EspDelta, 0);
  TMeasured oneTooMany = CallMeasured(&StdcallPair, {3, 4, 5});
  EXPECT_EQ(oneTooMany.EspDelta, -4);
}

class StdcallExports : public ::testing::Test {
 protected:
  void SetUp() override {
    gAddActionFrames.clear();
    gSetVariableCalls = 0;
    host_ = std::make_unique<TPluginHost>(DefaultPluginPath());
  }
  std::unique_ptr<TPluginHost> host_;
};

TEST_F(StdcallExports, InitPlugInPopsFourArguments) {
  char* title = nullptr;
  char* publisher = nullptr;
  char* hint = nullptr;
  TMeasured m = CallMeasured(host_->InitPlugIn, {7, Arg(&title), Arg(&publisher), Arg(&hint)});
  EXPECT_EQ(m.EspDelta, 0);
  ASSERT_NE(title, nullptr);
  EXPECT_STREQ(title, "TarvikPlugin");
  EXPECT_NE(publisher, nullptr);
  EXPECT_NE(hint, nullptr);
  FreeHostString(title);
  FreeHostString(publisher);
  FreeHostString(hint);
}

TEST_F(StdcallExports, RegisterPlugInPopsFourAndCallsBackAsStdcall) {
  TMeasured m = CallMeasured(host_->RegisterPlugIn,
                             {Arg(&RecordAddAction), 0, 0, Arg(&RecordSetVariable)});
  EXPECT_EQ(m.EspDelta, 0);
  ASSERT_EQ(gAddActionFrames.size(), 12u);
  // One loop in the plug-in makes the twelve calls: each enters at the same depth.
  EXPECT_EQ(std::set<uintptr_t>(gAddActionFrames.begin(), gAddActionFrames.end()).size(), 1u);
}

TEST_F(StdcallExports, SingleArgumentRegistrationsPopOne) {
  EXPECT_EQ(CallMeasured(host_->RegisterScriptProcessor, {0}).EspDelta, 0);
  EXPECT_EQ(CallMeasured(host_->RegisterInterfaceAccess, {Arg(&NoInterfaceAccess)}).EspDelta, 0);
  EXPECT_EQ(CallMeasured(host_->RegisterInterfaceAccess, {0}).EspDelta, 0);
}

TEST_F(StdcallExports, ActionsPopTwoAndRefuseUnknownIndexes) {
  CallMeasured(host_->RegisterPlugIn, {Arg(&RecordAddAction), 0, 0, Arg(&RecordSetVariable)});
  gSetVariableCalls = 0;
  char* params[4] = {nullptr, nullptr, nullptr, nullptr};
  struct TCase {
    const char* Export;
    const void* Fn;
    uint32_t Index;
  };
  const TCase cases[] = {
      {"nbExecAction", reinterpret_cast<const void*>(host_->ExecAction), 0},
      {"nbExecAction", reinterpret_cast<const void*>(host_->ExecAction), 13},
      {"nbEditAction", reinterpret_cast<const void*>(host_->EditAction), 0},
      {"nbEditAction", reinterpret_cast<const void*>(host_->EditAction), 13},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Export) + " index " + std::to_string(c.Index));
    TMeasured m = CallMeasured(c.Fn, {c.Index, Arg(params)});
    EXPECT_EQ(m.EspDelta, 0);
    EXPECT_EQ(m.Result, 0u);
  }
  EXPECT_EQ(gSetVariableCalls, 0);
}

TEST_F(StdcallExports, MessagePopsBothArguments) {
  // The second argument is never read, but it is on the stack and must go.
  EXPECT_EQ(CallMeasured(host_->Message, {1, 0}).EspDelta, 0);
  EXPECT_EQ(CallMeasured(host_->Message, {2, 0xDEADBEEF}).EspDelta, 0);
  EXPECT_EQ(CallMeasured(host_->Message, {2, 0}).EspDelta, 0);
}

}  // namespace
}  // namespace tarvik

#else

#include <gtest/gtest.h>

TEST(StdcallThunk, NeedsThirtyTwoBitWindows) {
  GTEST_SKIP() << "the stdcall stack check measures ESP, which only a 32-bit Windows "
                  "build has; this build has one calling convention";
}

#endif  // 32-bit Windows
