// The host object base: navigator and device under each device profile,
// which names belong to which object, the global functions and values, the
// URI coders, the stubbed database entries, and members made by scripts.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/profile.h"
#include "platform/testing/reset.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/frames/scope_chain.h"
#include "script/host/host_properties.h"
#include "script/host/script_host_object.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"
#include "tests/script/value_test_support.h"

namespace {

using scripttest::Narrow;
using scripttest::Text;
using scripttest::Wide;

class FakeEnvironment : public ScriptAppEnvironment {
 public:
  uint32_t uiLanguage = 0x040C;
  uint32_t GetUiLanguage() override { return uiLanguage; }
  bool GetEnvironmentValue(const SharedWideString&, SharedWideString*) override { return false; }
};

class TestHost : public ScriptHostObject {
 public:
  FakeEnvironment environment;
  ScriptAppEnvironment* GetAppEnvironment(int32_t, int32_t) override { return &environment; }
  ScriptDocumentContext* GetDocumentContext() override { return nullptr; }
};

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chain_.SetStore(&store_);
    int32_t status = kScriptOk;
    ASSERT_EQ(*InstallBuiltinObjects(&interpreter_, &status, &store_, &global_, &host_),
              kScriptOk);
    ASSERT_EQ(*chain_.PushValue(&status, global_, true), kScriptOk);
  }
  void TearDown() override {
    chain_.Clear();
    store_.Release(&global_);
    host_.ReleaseMembers();
  }

  int32_t Run(const std::u16string& text) {
    CompiledScript* script = new CompiledScript();
    script->AddReference();
    ScriptCompileError compileError;
    int32_t status = kScriptOk;
    if (!CompileScript(Wide(text), script, &compileError)) {
      status = kScriptCannotParse;
    } else {
      RunCompiledScript(&interpreter_, &status, script, chain_, &store_, global_, nullptr,
                        nullptr);
    }
    script->Release();
    return status;
  }
  // The text of the host's member `name`, "<none>" when there is none.
  std::string Member(const std::u16string& name) {
    int32_t index = host_.FindMember(Wide(name));
    if (index < 0) return "<none>";
    SharedWideString text;
    int32_t status = kScriptOk;
    if (*store_.ToString(&status, host_.MemberValue(static_cast<uint32_t>(index)), &text, 0) !=
        kScriptOk) {
      return "<unreadable>";
    }
    return Narrow(Text(text));
  }
  std::string Value(const std::u16string& expression) {
    int32_t status = Run(u"v = " + expression + u";");
    if (status != kScriptOk) return "status " + std::to_string(status);
    return Member(u"v");
  }

  ScriptValueStore store_;
  ScriptInterpreter interpreter_;
  TestHost host_;
  ScriptValueHandle global_ = kScriptEmptyHandle;
  ScriptScopeChain chain_;
};

TEST_F(HostTest, NavigatorAndDeviceUnderEachProfile) {
  const struct {
    devtest::DevicePlatform platform;
    const char* hasPointer;
    const char* numeric;
    int width, height;
  } profiles[] = {
      {devtest::DevicePlatform::PocketPC, "true", "false", 240, 320},
      {devtest::DevicePlatform::Smartphone, "false", "true", 176, 220},
  };
  for (const auto& p : profiles) {
    devtest::DeviceProfile profile;
    profile.platform = p.platform;
    profile.screenWidth = p.width;
    profile.screenHeight = p.height;
    profile.language = 0x0407;
    devtest::SetProfile(profile);
    EXPECT_EQ(Value(u"navigator.appVersion"), "5.2 build 548(WinCE)");
    EXPECT_EQ(Value(u"navigator.language"), "fr");  // the environment's UI language
    EXPECT_EQ(Value(u"device.language"), "de");     // the system's locale
    EXPECT_EQ(Value(u"device.platform"), "WinCE");
    EXPECT_EQ(Value(u"device.screenWidth"), std::to_string(p.width));
    EXPECT_EQ(Value(u"device.screenHeight"), std::to_string(p.height - 26));
    EXPECT_EQ(Value(u"device.hasPointer"), p.hasPointer);
    EXPECT_EQ(Value(u"device.hasNumericKeyboard"), p.numeric);
    EXPECT_EQ(Value(u"device.hasFullKeyboard"), "false");
    EXPECT_EQ(Value(u"device.getenv('PATH')"), "undefined");
  }
  devtest::ResetProfile();
}

TEST_F(HostTest, NamesBelongToTheirObjects) {
  const struct {
    const char16_t* expression;
    const char* answer;
  } cases[] = {
      {u"navigator.platform", "status 4"},  // platform belongs to device only
      {u"device.appVersion", "status 4"},
      {u"navigator.encodeURI", "status 4"},
      {u"'' + navigator.somethingElse", "status 7"},  // accepted, but without a value
      // A name on the host that nothing was assigned to yet.
      {u"typeof neverAssigned", "undefined"},
      {u"typeof neverAssigned == 'undefined'", "true"},
      {u"device.getenv()", "status 13"},
      {u"parseInt('0x1F')", "31"},
      {u"isNaN(NaN) + ' ' + Infinity + ' ' + undefined", "true Infinity undefined"},
      {u"encodeURIComponent('a b')", "a%20b"},
      {u"encodeURIComponent('a', 'b')", "status 13"},
      {u"sql_execute()", "status 13"},
      {u"sql_execute('select')", "status 15"},
      {u"OpenDatabase('x.ebase')", "status 15"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Value(c.expression), c.answer) << Narrow(c.expression);
  }
}

TEST_F(HostTest, AssignmentsToMembersAndBuiltins) {
  EXPECT_EQ(Run(u"fresh = 1;"), kScriptOk);
  EXPECT_EQ(Member(u"fresh"), "1");
  EXPECT_EQ(Run(u"NaN = 1;"), kScriptBadMemberCode);
  EXPECT_EQ(Run(u"navigator.appVersion = 1;"), kScriptCannotSet);
  EXPECT_EQ(Run(u"device.screenWidth = 1;"), kScriptCannotSet);
  // Members made by scripts enumerate with the host's own codes.
  ScriptMemberRef ref;
  SharedWideString name;
  int32_t status = kScriptOk;
  ASSERT_EQ(*host_.EnumerateMember(&status, 0, &ref, &name), kScriptOk);
  EXPECT_GE(ref.memberCode, ScriptHostObject::kHostDynamicBase);
}

TEST(HostProperties, LanguageNames) {
  const struct {
    uint32_t locale;
    const char* name;
  } cases[] = {
      {0x0409, "en-us"}, {0x040C, "fr"}, {0x0007, "de"}, {0x0809, "en-gb"}, {0x03FF, "neutral"},
      {0x7FFF, "neutral"},
  };
  for (const auto& c : cases) {
    SharedWideString text;
    ASSERT_TRUE(GetLanguageName(c.locale, &text));
    EXPECT_EQ(Narrow(Text(text)), c.name) << c.locale;
  }
}

}  // namespace
