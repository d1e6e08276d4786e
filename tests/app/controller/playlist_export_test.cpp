// Playlist export over a fake audio source: the parts written and the list
// files byte for byte in both forms, the second temporary prefix, and every
// refusal with its box (over-long name or number, a source that does not
// load, a missing part, no file at all).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/testing/launch.h"
#include "platform/testing/ui.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/palm_database_builder.h"

using apptest::FrameFixture;

namespace {

class FakePlaylistSource final : public PlaylistSource {
 public:
  bool OpenSource(const SharedWideString& name) override {
    opened.push_back(name.IsEmpty() ? std::u16string() : std::u16string(name.Chars(), name.length));
    return loads;
  }
  PlaylistPartResult WritePart(uint32_t number, const EncodedString& path) override {
    std::u16string device(path.Chars(), path.ByteLength() / 2);
    for (const std::u16string& refused : refusedPrefixes)
      if (device.find(refused) != std::u16string::npos) return PlaylistPartResult::kCannotCreate;
    if (missing.count(number) != 0) return PlaylistPartResult::kNoSuchPart;
    parts.push_back(number);
    testbuild::WriteDeviceFile(device, {'R', 'I', 'F', 'F'});
    return PlaylistPartResult::kWritten;
  }
  void CloseSource() override { ++closed; }

  bool loads = true;
  std::set<uint32_t> missing;
  std::vector<std::u16string> refusedPrefixes;
  std::vector<std::u16string> opened;
  std::vector<uint32_t> parts;
  int closed = 0;
};

class PlaylistExportTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
    controller->SetPlaylistSource(&source);
  }
  bool Export(const std::u16string& request) {
    SharedWideString text;
    text.FromChars(request.data(), static_cast<uint32_t>(request.size()));
    return controller->ExportPlaylist(text);
  }
  static std::string FileText(const std::u16string& path) {
    auto bytes = testbuild::ReadDeviceFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
  }
  static void RegisterWma() {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u".wma", 0, nullptr, 0, 0, nullptr, &key, &disposition), 0);
    RegCloseKey(key);
  }
  std::u16string LastBoxText() {
    auto& boxes = devtest::MessageBoxJournal();
    return boxes.empty() ? u"<none>" : boxes.back().text;
  }
  FakePlaylistSource source;
};

}  // namespace

TEST_F(PlaylistExportTest, APocketPlayerListOfTheNumberedPartsIsWrittenAndOpened) {
  ASSERT_TRUE(Export(u"chapter.ogg#3;1,12"));
  EXPECT_EQ(source.opened, (std::vector<std::u16string>{u"chapter.ogg"}));
  EXPECT_EQ(source.parts, (std::vector<uint32_t>{3, 1, 12}));
  EXPECT_EQ(source.closed, 1);
  EXPECT_EQ(FileText(u"\\My Documents\\playlist.pmp"),
            "[Pocket WMP Playlist File v1.0]\r\n[Tracks]\r\n"
            "\\my documents\\temp1_rec0.wma\r\n\\my documents\\temp1_rec1.wma\r\n\\my documents\\temp1_rec2.wma\r\n"
            "[Settings]\r\nCurrentTrack=0\r\n");
  EXPECT_EQ(FileText(u"\\My Documents\\temp1_rec2.wma"), "RIFF");
  auto launches = devtest::LaunchRequests();
  ASSERT_FALSE(launches.empty());
  EXPECT_EQ(launches.back().file, u"\\my documents\\playlist.pmp");
  EXPECT_EQ(launches.back().verb, u"Open");
}

TEST_F(PlaylistExportTest, AnAsxListWhereTheDeviceKnowsWmaAndTheDocumentsOwnSoundWithoutAName) {
  RegisterWma();
  ASSERT_TRUE(Export(u"#2"));
  EXPECT_EQ(source.opened, (std::vector<std::u16string>{u""}));
  EXPECT_EQ(FileText(u"\\My Documents\\playlist.asx"),
            "<Asx><Entry>\n<Ref href=\"\\my documents\\temp1_rec0.wma\" />\n</Entry>\n</Asx>");
  // Without '#' the list holds no track.
  ASSERT_TRUE(Export(u"speech.ogg"));
  EXPECT_EQ(FileText(u"\\My Documents\\playlist.asx"), "<Asx></Asx>");
}

TEST_F(PlaylistExportTest, TheSecondPrefixTakesOverAndWhenItFailsTooTheExportStops) {
  source.refusedPrefixes = {u"temp1_rec1"};
  ASSERT_TRUE(Export(u"a#1;2;3"));
  EXPECT_EQ(FileText(u"\\My Documents\\playlist.pmp"),
            "[Pocket WMP Playlist File v1.0]\r\n[Tracks]\r\n"
            "\\my documents\\temp1_rec0.wma\r\n\\my documents\\temp2_rec1.wma\r\n\\my documents\\temp2_rec2.wma\r\n"
            "[Settings]\r\nCurrentTrack=0\r\n");
  source.refusedPrefixes = {u"temp1_rec", u"temp2_rec"};
  EXPECT_FALSE(Export(u"a#1"));
  EXPECT_EQ(LastBoxText(), u"Music player not found");
  EXPECT_EQ(devtest::MessageBoxJournal().back().caption, u"Error");
}

TEST_F(PlaylistExportTest, RefusalsShowTheCannotOpenBoxAndWriteNoList) {
  const std::u16string longName(260, u'n');
  const std::u16string longToken(256, u'1');
  const struct {
    std::u16string request;
    bool loads;
    bool opensSource;
  } cases[] = {
      {longName + u"#1", true, false},
      {std::u16string(259, u'n') + u"#" + longToken, true, false},
      {u"gone.ogg#1", false, true},
      {u"book.ogg#1;99", true, true},  // part 99 is missing
  };
  source.missing = {99};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request.size());
    source.loads = c.loads;
    source.opened.clear();
    devtest::MessageBoxJournal().clear();
    EXPECT_FALSE(Export(c.request));
    EXPECT_EQ(source.opened.size(), c.opensSource ? 1u : 0u);
    ASSERT_EQ(devtest::MessageBoxJournal().size(), 1u);
    EXPECT_EQ(LastBoxText().rfind(u"Cannot open the sound file: ", 0), 0u);
    EXPECT_EQ(FileText(u"\\My Documents\\playlist.pmp"), "<none>");
  }
  // A name of 259 characters with a number of 255 digits is accepted.
  source.loads = true;
  source.missing.clear();
  EXPECT_TRUE(Export(std::u16string(259, u'n') + u"#" + std::u16string(254, u'0') + u"7"));
  EXPECT_EQ(source.parts.back(), 7u);
}

TEST_F(PlaylistExportTest, AListThatCannotBeWrittenShowsItsBox) {
  RemoveDirectoryW(u"\\My Documents");
  source.refusedPrefixes.clear();
  // The fake writes the parts wherever asked; without the folder the list
  // cannot be made.
  EXPECT_FALSE(Export(u"x"));
  EXPECT_EQ(LastBoxText(), u"Error while creating the playlist");
}
