// The markup corpus, the book generator and element descriptions.
#include "tests/support/fake_document_markup.h"

#include <cstdio>
#include <random>

#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_tables.h"
#include "platform/text/utf16_to_utf8.h"

namespace {

void AppendUtf8(std::string* out, uint32_t cp) {
  uint8_t bytes[devtext::kMaxUtf8CharBytes];
  out->append(reinterpret_cast<const char*>(bytes), devtext::EncodeUtf8CodePoint(cp, bytes));
}

// Text as UTF-8, with control characters and the backslash written as
// \xNN escapes so that descriptions stay on one line.
void AppendWide(std::string* out, const SharedWideString& text) {
  const WCHAR* chars = text.Chars();
  uint32_t run = 0;  // start of the units not yet written
  for (uint32_t i = 0; i <= text.length; ++i) {
    const bool escaped = i < text.length && (chars[i] < 0x20 || chars[i] == '\\');
    if (i < text.length && !escaped) continue;
    *out += devtext::Utf16ToUtf8String(chars + run, i - run);
    if (escaped) {
      char escape[16];
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(chars[i]));
      *out += escape;
    }
    run = i + 1;
  }
}

// ---- The generator

class BookWriter {
 public:
  explicit BookWriter(uint32_t seed) : random_(seed) {}

  std::string Write(size_t bytes) {
    out_ = "<html><head><title>Generated &amp; tested</title></head><body>\n";
    while (out_.size() < bytes) Block(0);
    out_ += "</body></html>\n";
    return out_;
  }

 private:
  uint32_t Pick(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(random_); }
  bool Chance(uint32_t percent) { return Pick(100) < percent; }

  void Word() {
    static const char* const kWords[] = {"the", "reader", "page", "book", "chapter", "light", "river",
                                         "a", "of", "and", "margin", "quietly", "Ünïcödé", "naïve"};
    switch (Pick(20)) {
      case 0:
        out_ += "&amp;";
        break;
      case 1:
        out_ += Chance(50) ? "&#150;" : "&#x41;";
        break;
      case 2:
        out_ += "&nbsp;";
        break;
      case 3:  // CJK run: every character a token of its own
        for (uint32_t i = 0, n = 1 + Pick(5); i < n; ++i) AppendUtf8(&out_, 0x4E00 + Pick(500));
        break;
      case 4:  // a long word that the 30-character limit cuts
        for (uint32_t i = 0, n = 31 + Pick(50); i < n; ++i) out_.push_back(static_cast<char>('a' + Pick(26)));
        break;
      case 5:  // a combining mark after a reference joins them
        out_ += "e&#x301;";
        AppendUtf8(&out_, 0x0301);
        break;
      case 6:
        out_ += "&zwnj;";
        break;
      default:
        out_ += kWords[Pick(sizeof kWords / sizeof kWords[0])];
    }
  }

  void Inline() {
    uint32_t words = 3 + Pick(12);
    for (uint32_t i = 0; i < words; ++i) {
      if (i != 0) out_ += Chance(5) ? "\n  " : " ";
      switch (Pick(30)) {
        case 0:
          out_ += "<b>";
          Word();
          out_ += "</b>";
          break;
        case 1:
          out_ += "<i class=x>";
          Word();
          out_ += "</I>";
          break;
        case 2:
          out_ += "<a href=\"chapter" + std::to_string(Pick(40)) + ".html#n&amp;1\" filepos=" +
                  std::to_string(Pick(100000)) + ">";
          Word();
          out_ += "</a>";
          break;
        case 3:
          out_ += "<br>";
          break;
        case 4:
          out_ += "<font color=#F0A size=+1 face='Serif'>";
          Word();
          out_ += "</font>";
          break;
        case 5:
          out_ += "</b>";  // stray
          break;
        case 6:
          out_ += "<img src=\"p.gif\" width=50% height='2em' recindex=00012 />";
          break;
        case 7:
          out_ += "<span unknownattr=\"1\" title='tip'>";
          Word();
          out_ += "</span>";
          break;
        case 8:
          out_ += "<!-- a comment with <b> inside -->";
          break;
        case 9:
          out_ += "<ext:nothing>";
          break;
        default:
          Word();
      }
    }
  }

  void Block(int depth) {
    switch (Pick(depth > 2 ? 6 : 12)) {
      case 0:
      case 1:
      case 2:
        out_ += Chance(50) ? "<p>" : "<p align=center>";
        Inline();
        if (Chance(50)) out_ += "</p>";
        out_ += "\n";
        break;
      case 3:
        out_ += "<h" + std::to_string(1 + Pick(6)) + ">";
        Inline();
        out_ += Chance(70) ? "</h2>\n" : "\n";
        break;
      case 4:
        out_ += Chance(50) ? "<ul>" : "<ol>";
        for (uint32_t i = 0, n = 1 + Pick(5); i < n; ++i) {
          out_ += "<li>";
          Inline();
          if (Chance(30)) out_ += "</li>";
        }
        out_ += Chance(50) ? "</ul>\n" : "</ol>\n";
        break;
      case 5:
        out_ += "<blockquote>";
        Inline();
        out_ += "</blockquote>\n";
        break;
      case 6:
      case 7:
        Table(depth);
        break;
      case 8:
        out_ += "<script type=\"text/javascript\">if (a</b) x(); var s = \"<p>\";</script>\n";
        break;
      case 9:
        out_ += "<![CDATA[ raw <text> & more ]]>";
        break;
      case 10:
        out_ += "<div><dl><dt>";
        Inline();
        out_ += "<dd>";
        Inline();
        out_ += "</dl></div>\n";
        break;
      default:
        out_ += "<hr><!DOCTYPE nothing><?xml version=\"1.0\"?>\n";
    }
  }

  void Table(int depth) {
    out_ += "<table border=1 width=\"100%\">";
    for (uint32_t r = 0, rows = 1 + Pick(3); r < rows; ++r) {
      out_ += "<tr>";
      for (uint32_t c = 0, cols = 1 + Pick(3); c < cols; ++c) {
        out_ += Chance(20) ? "<th colspan=2>" : "<td valign=top>";
        if (Chance(15)) {
          Table(depth + 1);
        } else {
          Inline();
        }
      }
    }
    out_ += "</table>\n";
  }

  std::mt19937 random_;
  std::string out_;
};

}  // namespace

const std::vector<std::string>& MarkupCorpus() {
  static const std::vector<std::string> corpus = {
      "<p>a<p>b",
      "<ul><li>a<li>b</ul>",
      "<p>a<h2>b",
      "<h1>a<p>b",
      "x</b>y</br><br>z",
      "<table><tr><td><table><tr><td>in</table>out</table>",
      "<script>if (a</b) x();</script>after",
      "<script>var a = 1;</SCRIPT><p>text",
      "<![CDATA[ a <b> & ]]>rest",
      "abc&amp;def &lt;tag&gt; &#65;&#x42;&#X43; &#150; &#9;&#32; &unknown; AT&T &#0; &#xD800; &#x110000; "
      "&#99999999999999999999; &#; &#x; &zwnj;x &#8204;",
      "<a href=\"a&amp;b\" title='it&#x41;s' name=a&b=c>link</a>",
      "<!-- comment with > inside -->after<!---->x<!--->y-->",
      "<!DOCTYPE html><?xml version=\"1.0\"?>text",
      "<p class=\"unterminated>broken</p><p>ok</p>",
      "<td nowrap>value-less unknown attribute</td>",
      "<img src=x.gif width=50% height=2em border=0/><br/><hr />",
      "<P ALIGN=CENTER>upper case</P>",
      "<p>\xe4\xb8\xad\xe6\x96\x87\xe5\xad\x97 ideographs\xe2\x80\x8cjoiner</p>",
      "<p>e\xcc\x81&amp;\xcc\x81 combining</p>",
      "a very long word: abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvw end",
      "<font size=+2 color=navy>x</font><input type=checkbox checked disabled tabindex=-1>",
      "<p qvr:ignore>dropped</p><dl><dt>term<dd>def<dt>t2</dl>",
      "<select><option>a<option>b</select>",
      "<html><body><div><center>c<center>d</div></body></html>",
      "< p>not a tag</ p><3 <=> & &; &#x41",
      "<p\tclass\n=\r'x'\t>spaces</p   >",
      "<a href=chapter/two.html>path</a><a b=c/>",
      "text at end &amp",
      "<script>never closed </ notscript> still script",
      "\xf0\x9f\x98\x80 emoji and &#x1F600;",
  };
  return corpus;
}

std::string GenerateMarkupBook(uint32_t seed, size_t bytes) { return BookWriter(seed).Write(bytes); }

std::string DescribeElement(ElementStream& stream, int32_t kind, bool withPosition) {
  std::string out;
  if (withPosition) out += std::to_string(stream.GetPosition()) + " ";
  switch (kind) {
    case kElementEnd:
      return out + "end";
    case kElementText:
      out += "text \"";
      AppendWide(&out, stream.GetText());
      return out + "\"";
    case kElementSpace:
      out += "space \"";
      AppendWide(&out, stream.GetText());
      return out + "\"";
    case kElementBreak:
      out += "zwnj \"";
      AppendWide(&out, stream.GetText());
      return out + "\"";
    case kElementAgain:
      return out + "again";
    case kElementTag:
      break;
    default:
      return out + "kind " + std::to_string(kind);
  }
  bool closing = false, selfContained = false;
  uint32_t id = stream.GetTag(&closing, &selfContained);
  const char* name = MarkupNameText(id);
  out += closing ? "</" : "<";
  out += name != nullptr ? name : std::to_string(id);
  for (uint32_t n = 0; n < stream.GetAttributeCount(); ++n) {
    const MarkupAttribute* attribute = stream.GetAttribute(n);
    const char* attributeName = MarkupNameText(attribute->id);
    out += " ";
    out += attributeName != nullptr ? attributeName : std::to_string(attribute->id);
    out += "=\"";
    AppendWide(&out, attribute->value);
    out += "\"";
  }
  return out + (selfContained ? "/>" : ">");
}
