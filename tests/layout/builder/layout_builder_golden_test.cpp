// The builder's items for a corpus of markup, compared with golden dumps
// (tests/layout/builder/golden/<name>.txt) that were written out, checked
// line by line against the rules of the builder, and kept. After a
// deliberate change of the builder, rewrite them with
//   TESSALYN_UPDATE_GOLDENS=1 build/bin/test_layout --gtest_filter='BuilderGolden.*'
// and read the difference before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/layout/builder/builder_fixture.h"

namespace {

struct GoldenCase {
  const char* name;
  const char* markup;
};

const GoldenCase kCorpus[] = {
    // Text before BODY is not laid out; P breaks on both sides with its own
    // box (L4 = 6, paragraph start), ALIGN, white space as 5-pixel spaces.
    {"paragraphs",
     "<html><head><title>T</title></head><body><p>Hello world</p><p align=center>Two</p>after</body></html>"},
    // Inline styles and their runs back to the parent at each closing tag:
    // B in I, FONT SIZE=7 and COLOR, SIZE=+1, a link with its colour and
    // underline, a FILEPOS of X characters that takes the HREF away, Q
    // without a style, SUB, a TITLE of its own.
    {"inline_styles",
     "<body>a <b>bold <i>both</i></b> <font size=7 color=red>big</font><font size=+1>up</font> "
     "<a href=\"x.html\">link</a> <a filepos=XXXX href=\"y\">none</a> <a filepos=00012>pos</a> "
     "<q>q</q><sub>2</sub><span title=\"tip\">t</span></body>"},
    // Break types per class and role: H1 (page break before it), H2, a
    // BLOCKQUOTE inside UL with LI, DL with DT and DD, BR (line end of value
    // 0), CENTER, DIV, a page break element, and an HR as a page break.
    {"blocks",
     "<body><h1>One</h1><h2>Two</h2><ul><li>a<blockquote>q</blockquote></ul><dl><dt>t<dd>d</dl>"
     "x<br>y<center>c</center><div>d</div><qvr:pagebreak>z<hr>w</body>"},
    // A table with its box (BORDER in half the background, WIDTH in percent,
    // CELLPADDING), a row with VALIGN, cells with COLSPAN and ROWSPAN over
    // their limits and of 0, an HR inside the table (a line end), and the
    // marks that close cells, rows and the table.
    {"tables",
     "<body><table border=2 bgcolor=#204080 width=80% cellpadding=3><tr valign=top>"
     "<td colspan=2000 rowspan=70000>a</td><th colspan=0 border=5000>b<hr></th></tr>"
     "<tr><td rowspan=3 width=20 height=2em>c</td></tr></table>after</body>"},
    // Sections and block colours: a section's row colour at its opening and
    // closing; a DIV with a background and a border, whose closing break
    // says the colour changed.
    {"colours",
     "<body><qvr:section bgcolor=yellow>s</qvr:section><div bgcolor=#102030 border=1>b</div>"
     "<div bordercolor=red>n</div>e</body>"},
    // CJK text gets a break opportunity before it; the non-joiner writes the
    // text joined before it, then a break opportunity after it; a lone
    // U+200C is only a break opportunity.
    {"cjk_and_nonjoiners",
     "<body>\xE4\xB8\xAD\xE6\x96\x87 ab&zwnj;cd &zwnj;e \xE2\x80\x8C f</body>"},
    // Tags that write nothing do not end the flow: DC:LANGUAGE and DC:TITLE
    // (with their text), METADATA, GUIDE with a REFERENCE, META, LINK,
    // SCRIPT, STYLE and MAP skipped with their content; a FORM without form
    // services, whose INPUT and LABEL are skipped.
    {"ignored_tags",
     "<body>a<dc:language>en</dc:language>b<dc:title>T</dc:title><metadata><guide>"
     "<reference type=toc filepos=1></guide></metadata><meta name=x><link rel=y>c"
     "<script>var x = '<b>';</script>d<style>p {}</style><map name=m><area shape=rect></map>"
     "<form name=f>e<input type=text>g<label>l</label></form>h</body>"},
    // Objects: IMG by record at WIDTH=50 (50x40), WIDTH=200 (kept 100x80),
    // HEIGHT=10 with ALIGN=MIDDLE, HSPACE and BORDER=0, ALIGN=LEFT floats,
    // DESCENT at the baseline; a record that is missing or no picture
    // writes nothing; a picture by address; HR plain and with COLOR and
    // WIDTH=50%; a LOGAS mark inside a link.
    {"objects",
     "<body><img recindex=1 width=50><img recindex=1 width=200><img recindex=2 height=10 align=middle "
     "hspace=3 border=0><img recindex=2 align=left><img recindex=2 descent=4 width=60%><img recindex=9>"
     "<img recindex=3><img src=\"pic.gif\"><img src=\"missing.gif\"><hr><hr color=#FF0000 width=50% height=2>"
     "<a href=\"l\"><img recindex=2 width=15></a><span logas=\"seen\">x</span></body>"},
};

std::string GoldenPath(const std::string& name) {
  return std::string(TESSALYN_SOURCE_DIR) + "/tests/layout/builder/golden/" + name + ".txt";
}

class BuilderGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(BuilderGolden, ItemsMatchTheGoldenDump) {
  const GoldenCase& golden = GetParam();
  buildertest::BuilderRun run(golden.markup);
  ASSERT_TRUE(run.Run());
  EXPECT_TRUE(run.recordsInStep);
  EXPECT_EQ(run.records.RecordCount(), 0u);
  const std::string dump = run.Dump();
  const std::string path = GoldenPath(golden.name);
  if (std::getenv("TESSALYN_UPDATE_GOLDENS") != nullptr) {
    std::ofstream(path, std::ios::binary) << dump;
    GTEST_SKIP() << "rewrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "no golden dump " << path;
  std::stringstream expected;
  expected << in.rdbuf();
  EXPECT_EQ(dump, expected.str()) << "markup: " << golden.markup;
}

INSTANTIATE_TEST_SUITE_P(Corpus, BuilderGolden, ::testing::ValuesIn(kCorpus),
                         [](const testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

}  // namespace
