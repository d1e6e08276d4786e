// TokenSource and ElementStream: the interface of a stream of markup
// elements (text runs, white space, tags with their attributes and closing
// tags) that the layout engine pulls one at a time. The markup parser and
// the plain-text token reader implement it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class ByteStream;
class Document;
class MarkupTokenizer;

// Kinds answered by ElementStream::Next.
enum ElementKind : int32_t {
  kElementEnd = 0,    // end of the document
  kElementText = 1,
  kElementTag = 2,    // opening or closing
  kElementSpace = 3,
  kElementAgain = 4,  // nothing to deliver yet: call again
  kElementBreak = 5,  // a zero-width non-joiner: a break opportunity without a character
};

// One attribute of the current tag.
struct MarkupAttribute {
  SharedWideString value;  // quotes stripped, character references decoded
  uint32_t id = 0;         // markup id of the name
  uint8_t complete = 0;    // the value was read, or another name followed
};

class TokenSource {
 public:
  virtual ~TokenSource();
  // Source position of the current element.
  virtual uint32_t GetPosition() = 0;
  // Tag id of the current element and its closing and self-contained marks.
  virtual uint32_t GetTag(bool* closing, bool* selfContained) = 0;
  virtual uint32_t GetAttributeCount() = 0;
  // Attribute n of the current tag; null past the count.
  virtual const MarkupAttribute* GetAttribute(uint32_t n) = 0;
  // The value text of the first attribute with that id; false (and an empty
  // text) when the current tag has none.
  virtual bool GetAttributeText(uint32_t attributeId, SharedWideString* text);
  // That value parsed by ParseAttributeValue; false when there is none or it
  // is not valid.
  virtual bool GetAttributeValue(uint32_t attributeId, uint32_t* value);
};

class ElementStream : public TokenSource {
 public:
  virtual bool Restart(uint32_t position, bool resynchronise) = 0;
  virtual void Seek(uint32_t position) = 0;
  virtual void SeekBack(uint32_t position) = 0;
  virtual void AttachSource(Document* document, uint32_t argument) = 0;
  virtual void ReleaseChunks() = 0;
  virtual int32_t Next() = 0;
  // The last answer of Next.
  virtual int32_t GetKind() = 0;
  // The text of the current text, white-space or break element.
  virtual const SharedWideString& GetText() = 0;
  // From an opening, non-self-contained tag, reads on to its matching
  // closing tag; the tag id when reached (at once for a closing or
  // self-contained tag), 0 when the document ends first.
  virtual uint32_t SkipElement();
  virtual MarkupTokenizer* GetTokenizer() = 0;
  virtual uint32_t GetSourceArgument() = 0;
  virtual bool SaveState(ByteStream* stream) = 0;
  virtual bool LoadState(ByteStream* stream) = 0;
};
