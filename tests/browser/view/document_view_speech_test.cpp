// Reading aloud from the document view over the recording speech plug-in
// (put in the device's program folder): a page spoken sentence by sentence,
// each resuming where the last one ended; the page turned once, at the
// first word of the next page; a text without sentence ends cut into
// pieces; nothing after the last sentence; a second text stopping the
// first; the reader freed with the document; nothing at all without the
// plug-in. The test plays the application's main window: it hands each
// word message to the view.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "audio/speech/speech_plugin_api.h"
#include "browser/view/document_view.h"
#include "platform/files/device_root.h"
#include "platform/modules/modules.h"
#include "platform/testing/modules.h"
#include "platform/windows/message_queue.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines of the log that start with the word.
std::vector<std::string> Only(const std::vector<std::string>& lines, const std::string& word) {
  std::vector<std::string> out;
  for (const std::string& line : lines)
    if (line.rfind(word + " ", 0) == 0) out.push_back(line.substr(word.size() + 1));
  return out;
}

class ViewSpeechTest : public ViewTest {
 protected:
  void InstallPlugin() {
    std::filesystem::path folder = devicefs::RootFolder() / "Program Files" / "tessalyn";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(std::string(TESSALYN_PLUGIN_DIR) + "/fake_tts_recording.so",
                               folder / "corvplugin_text_to_speech.so",
                               std::filesystem::copy_options::overwrite_existing);
  }
  HMODULE Plugin() { return GetModuleHandleW(u"corvplugin_text_to_speech"); }
  std::vector<std::string> Log() {
    HMODULE module = Plugin();
    if (!module) return {};
    auto log = reinterpret_cast<const char* (*)()>(GetProcAddressW(module, u"fake_tts_log"));
    return log ? Lines(log()) : std::vector<std::string>{};
  }
  void Hold(bool hold) {
    auto set = reinterpret_cast<void (*)(int)>(GetProcAddressW(Plugin(), u"fake_tts_hold"));
    ASSERT_NE(set, nullptr);
    set(hold ? 1 : 0);
  }
  // Hands one word message to the view, as the main window's procedure
  // does; false when none is queued.
  bool DeliverWord() {
    MSG msg{};
    if (!PeekMessageW(&msg, nullptr, kSpeechUnitMessage, kSpeechUnitMessage, PM_REMOVE)) return false;
    view().OnSpeechProgress(static_cast<intptr_t>(msg.wParam));
    return true;
  }
  // Delivers the words until the plug-in is idle; the page number after
  // each word.
  std::vector<int32_t> SpeakToEnd() {
    std::vector<int32_t> pages;
    const auto limit = Clock::now() + std::chrono::seconds(20);
    for (;;) {
      while (DeliverWord()) pages.push_back(view().GetCurrentPageNumber());
      if (!view().IsSpeaking()) {
        while (DeliverWord()) pages.push_back(view().GetCurrentPageNumber());
        return pages;
      }
      if (Clock::now() > limit) {
        ADD_FAILURE() << "the plug-in did not finish";
        return pages;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  // Speaks the page from its start, then continues until the document
  // ends; the texts spoken.
  std::vector<std::string> SpeakAll() {
    view().SpeakPage(false, static_cast<uint32_t>(view().GetCurrentPosition()));
    size_t spoken = 0;
    for (int guard = 0; guard < 200; ++guard) {
      SpeakToEnd();
      size_t now = Only(Log(), "speak").size();
      if (now == spoken) break;
      spoken = now;
      view().SpeakPage(true, 0);
    }
    return Only(Log(), "speak");
  }
};

TEST_F(ViewSpeechTest, APageIsSpokenSentenceBySentence) {
  InstallPlugin();
  ASSERT_TRUE(OpenBook(u"\\speak.prc",
                       MarkupBook("<html><body><p>First one. Second <b>one</b>!</p><h1>A title</h1>"
                                  "<p>Is it <qvr:tts phon=\"over\">done</qvr:tts>? Yes</p></body></html>")));
  EXPECT_EQ(SpeakAll(), (std::vector<std::string>{"First one.", "Second one!", "A title", "Is it over?", "Yes"}));
  std::vector<std::string> log = Log();
  // The document's code page, the page mode, then the sentences; the
  // reader is set up once, continuing reuses it.
  const int32_t codePage = view().GetDocumentSource()->GetDocument()->GetCodePage() & 0xFFFF;
  EXPECT_EQ(Only(log, "set"), (std::vector<std::string>{std::to_string(codePage) + " 0 0 0"}));
  EXPECT_EQ(Only(log, "read_mode"), (std::vector<std::string>{"1"}));
  // Continuing after the last sentence speaks nothing and leaves the reader idle.
  view().SpeakPage(true, 0);
  EXPECT_EQ(Only(Log(), "speak").size(), 5u);
  EXPECT_FALSE(view().IsSpeaking());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ViewSpeechTest, TheWordsReportedTurnThePageOnceAtTheFirstWordOfTheNextPage) {
  InstallPlugin();
  const std::string markup = NumberedParagraphs(40);
  ASSERT_TRUE(OpenBook(u"\\pages.prc", MarkupBook(markup)));
  view().SpeakPage(false, static_cast<uint32_t>(view().GetCurrentPosition()));
  // Not painted yet: speaking lays the page out to know where it ends.
  ViewTextRange first;
  ASSERT_TRUE(view().GetPageRange(&first));
  ASSERT_NE(first.end, 0xFFFFFFFFu);
  std::vector<int32_t> pagesAfterWords;
  for (int sentence = 0; sentence < 40; ++sentence) {
    std::vector<int32_t> pages = SpeakToEnd();

    if (!pages.empty() && pages.back() != 1) {
      pagesAfterWords = pages;
      break;
    }
    view().SpeakPage(true, 0);
  }
  ASSERT_FALSE(pagesAfterWords.empty()) << "the page never turned";
  EXPECT_EQ(view().GetCurrentPageNumber(), 2);
  // The sentence that crossed the page end: its words in the book up to
  // the next page's start are the words spoken before the turn.
  std::string crossing = Only(Log(), "speak").back();
  size_t sentenceStart = markup.find(crossing.substr(0, crossing.find(" holds")) + " ");
  ASSERT_NE(sentenceStart, std::string::npos);
  ASSERT_GT(first.end, sentenceStart);
  std::istringstream before(markup.substr(sentenceStart, first.end - sentenceStart));
  size_t wordsBefore = 0;
  for (std::string word; before >> word;) ++wordsBefore;
  ASSERT_LT(wordsBefore, pagesAfterWords.size());
  for (size_t i = 0; i < pagesAfterWords.size(); ++i)
    EXPECT_EQ(pagesAfterWords[i], i < wordsBefore ? 1 : 2) << "after word " << i;
}

TEST_F(ViewSpeechTest, TextWithoutSentenceEndsIsSpokenInPieces) {
  InstallPlugin();
  std::string words;
  for (int i = 0; i < 80; ++i) words += " word" + std::to_string(i);
  ASSERT_TRUE(OpenBook(u"\\plain.prc", MarkupBook("<html><body><p>" + words + "</p></body></html>")));
  std::vector<std::string> pieces = SpeakAll();
  ASSERT_GE(pieces.size(), 3u);
  std::string joined;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i + 1 < pieces.size()) {
      EXPECT_GE(pieces[i].size(), 129u);
      EXPECT_LT(pieces[i].size(), 129u + 7);
    }
    joined += " " + pieces[i];
  }
  EXPECT_EQ(joined, words);
}

TEST_F(ViewSpeechTest, ASecondTextStopsTheFirstAndClosingTheDocumentFreesTheReader) {
  InstallPlugin();
  ASSERT_TRUE(OpenBook(u"\\speak.prc", MarkupBook("<html><body><p>Some text.</p></body></html>")));
  view().SetSpeechParameter(1250);
  view().SpeakText(W(u"first words"));
  ASSERT_NE(Plugin(), nullptr);
  SpeakToEnd();
  // The next text is held before its first word until it is stopped.
  Hold(true);
  view().SpeakText(W(u"held words"));
  EXPECT_TRUE(view().IsSpeaking());
  Hold(false);
  view().SpeakText(W(u"second words"));
  SpeakToEnd();
  std::vector<std::string> log = Log();
  EXPECT_EQ(Only(log, "speak"), (std::vector<std::string>{"first words", "held words", "second words"}));
  EXPECT_EQ(Only(log, "stopped"), (std::vector<std::string>{"held words"}));
  EXPECT_EQ(Only(log, "read_mode"), (std::vector<std::string>{"0", "0", "0"}));
  EXPECT_EQ(Only(log, "set").front(), "1250 0 0 0");
  // A given text is not a page: no word of it turns the page.
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
  view().StopSpeech();
  view().CloseCurrentDocument();
  EXPECT_EQ(Plugin(), nullptr) << "the reader and its plug-in are gone with the document";
  // Speaking again makes a new reader.
  view().SpeakText(W(u"again"));
  EXPECT_NE(Plugin(), nullptr);
  SpeakToEnd();
  EXPECT_EQ(Only(Log(), "speak"), (std::vector<std::string>{"again"}));
}

TEST_F(ViewSpeechTest, WithoutThePluginNothingHappensAndNothingIsShown) {
  devtest::SetModulePresent("corvplugin_text_to_speech", false);  // the build's own plug-in too
  ASSERT_TRUE(OpenBook(u"\\speak.prc", MarkupBook("<html><body><p>Some text.</p></body></html>")));
  view().SpeakText(W(u"anything"));
  view().SpeakPage(false, 0);
  view().SpeakPage(true, 0);
  view().OnSpeechProgress(0);
  view().StopSpeech();
  EXPECT_FALSE(view().IsSpeaking());
  EXPECT_EQ(Plugin(), nullptr);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
}

}  // namespace
}  // namespace viewtest
