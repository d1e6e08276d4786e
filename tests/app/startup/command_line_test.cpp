// The command line's quotes and the start switches.
#include <gtest/gtest.h>

#include <string>

#include "app/startup/command_line.h"
#include "platform/launch/launch.h"

namespace {

std::u16string Read(const char16_t* line) {
  EncodedString out;
  EXPECT_TRUE(ReadCommandLine(line, &out));
  return std::u16string(reinterpret_cast<const char16_t*>(out.UnsignedBytes()), out.ByteLength() / 2);
}

StartSwitch Match(const char16_t* line) {
  EncodedString s;
  ReadCommandLine(line, &s);
  return MatchStartSwitch(s);
}

}  // namespace

TEST(CommandLine, QuotesAreRemovedOnlyInPairs) {
  struct Case {
    const char16_t* line;
    const char16_t* expected;
  } cases[] = {
      {u"\"\\eBooks\\my book.corv\"", u"\\eBooks\\my book.corv"},
      {u"\"\\eBooks\\my book.corv", u"\\eBooks\\my book.corv"},  // no closing quote: nothing else lost
      {u"\"", u""},
      {u"\"\"", u""},
      {u"\\eBooks\\a.corv", u"\\eBooks\\a.corv"},
      {u"a\"", u"a\""},
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.line), c.expected);
  EXPECT_EQ(Read(nullptr), u"");
}

TEST(CommandLine, SwitchesIgnoreCaseAndMustBeWhole) {
  EXPECT_EQ(Match(u"/quit"), StartSwitch::kQuit);
  EXPECT_EQ(Match(u"/QUIT"), StartSwitch::kQuit);
  EXPECT_EQ(Match(u"/Restart"), StartSwitch::kRestart);
  EXPECT_EQ(Match(u"/quit now"), StartSwitch::kNone);
  EXPECT_EQ(Match(u"/quitter"), StartSwitch::kNone);
  EXPECT_EQ(Match(u""), StartSwitch::kNone);
}

TEST(CommandLine, TheDeviceFormOfTheHostArguments) {
  char program[] = "tessalyn";
  char spaced[] = "\\eBooks\\my book.corv";
  char plain[] = "/x";
  char* argv[] = {program, spaced, plain};
  devlaunch::SetProgramArguments(3, argv);
  EXPECT_EQ(std::u16string(GetCommandLineW()), u"\"\\eBooks\\my book.corv\" /x");
  devlaunch::SetProgramArguments(1, argv);
  EXPECT_EQ(std::u16string(GetCommandLineW()), u"");
  WCHAR name[64];
  EXPECT_EQ(GetModuleFileNameW(nullptr, name, 64), 36u);
  EXPECT_EQ(std::u16string(name), u"\\Program Files\\tessalyn\\tessalyn.exe");
}
