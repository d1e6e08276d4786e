// FileDocumentSource: the document source of a local file that is not a
// Palm database: HTML (kind 1), plain text (kind 2), or a picture or audio
// file (kind 3), read only as one stream over the whole file. The text of
// kinds 1 and 2 is read through the plain-text document, which detects the
// file's encoding from its byte-order mark.
#pragma once

#include <cstdint>

#include "foundation/addresses/url.h"
#include "storage/sources/document_source.h"

class EncodedString;
class FileStream;

enum FileDocumentKind : int32_t {
  kFileHtml = 1,
  kFilePlainText = 2,
  kFileMedia = 3,  // a picture or an audio file
};

// Opens the plain-text document over `length` bytes of the file from
// `offset` (-1: to the end) in the two code pages, its text read as
// `textKind` (1 plain, 2 markup); the document (one reference, the
// caller's) or null. The plain-text document lives below the browser and
// is installed here by the program at start.
using PlainTextDocumentOpener = Document* (*)(FileStream* file, const EncodedString& path, int32_t sourceCodePage,
                                              int32_t targetCodePage, uint32_t offset, int32_t length,
                                              int32_t textKind);
void SetPlainTextDocumentOpener(PlainTextDocumentOpener opener);

class FileDocumentSource final : public DocumentSource {
 public:
  // The source of the file the Url names, or null: no path, a file that
  // does not open, a document that cannot be made, or no memory. Without
  // an opener a media file has no document (it is read as a stream only)
  // and a text file cannot be made.
  static FileDocumentSource* Create(const Url& url, int32_t fileKind, int32_t sourceCodePage,
                                    int32_t targetCodePage);


  bool HasEmbeddedStreams() override { return fileKind_ == kFileMedia; }
  void OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) override;
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override;
  Document* GetDocument() override { return document_; }
  bool CreateParser(ElementStream** parser, LayoutContext** layout, uint32_t argument) override;
  void DestroyParser(ElementStream* parser, LayoutContext* layout) override;
  TextSearcher* CreateTextSearch() override;

  int32_t GetFileKind() const { return fileKind_; }

 private:
  FileDocumentSource() = default;
  ~FileDocumentSource() override;

  Document* document_ = nullptr;  // counted: the source's reference
  FileStream* file_ = nullptr;    // owned
  int32_t fileKind_ = kFileHtml;
};
