// Loading pictures by record and by address.
#include "layout/objects/picture_loading.h"

#include "layout/objects/icon_image.h"
#include "storage/sources/document_source.h"

namespace {

// "$" and the decimal record index.
bool RecordFragment(int32_t recordIndex, SharedWideString* out) {
  WCHAR digits[12];
  uint32_t n = 0;
  uint32_t value = static_cast<uint32_t>(recordIndex);
  do {
    digits[n++] = static_cast<WCHAR>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  WCHAR text[13];
  text[0] = u'$';
  for (uint32_t i = 0; i < n; ++i) text[1 + i] = digits[n - 1 - i];
  return out->FromChars(text, n + 1);
}

}  // namespace

InlineImage* LoadInlineImage(DocumentSource* source, int32_t recordIndex, uint32_t /*flags*/) {
  if (source == nullptr || recordIndex < 0) return nullptr;
  DocumentStreamPtr stream;
  source->OpenStreamByIndex(&stream, recordIndex);
  if (stream.Get() == nullptr) return nullptr;
  InlineImage* image = InlineImage::Create();
  if (image == nullptr) return nullptr;
  SharedWideString fragment;
  if (!image->Load(stream.Get()) || !RecordFragment(recordIndex, &fragment)) {
    image->Release();
    return nullptr;
  }
  image->SetAddress(fragment, fragment);
  return image;
}

InlineObject* LoadPictureByAddress(PictureAddressLoader* loader, const SharedWideString& address,
                                   const SharedWideString& base, int32_t recordIndex) {
  if (loader == nullptr) return nullptr;
  PictureAddress resolved;
  if (!loader->Resolve(address, base, recordIndex, &resolved)) return nullptr;
  if (resolved.internalIcon) return IconImage::Create(resolved.iconNumber);
  DocumentStreamPtr stream;
  if (!loader->OpenStream(resolved, &stream) || stream.Get() == nullptr) return nullptr;
  InlineImage* image = InlineImage::Create();
  if (image == nullptr) return nullptr;
  if (!image->Load(stream.Get())) {
    image->Release();
    return nullptr;
  }
  image->SetAddress(resolved.text, resolved.fragment);
  return image;
}
