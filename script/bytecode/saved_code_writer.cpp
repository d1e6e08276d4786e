// Writing saved compiled code (see saved_code_writer.h).
#include "script/bytecode/saved_code_writer.h"

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/streams/byte_stream.h"
#include "script/bytecode/compiled_script.h"

namespace {

constexpr int32_t kUtf16CodePage = 65002;

// The string's bytes in the code page, in *bytes (UTF-16: little-endian).
bool EncodeString(const SharedWideString& text, int32_t codePage, EncodedString* bytes) {
  if (codePage == kUtf16CodePage) {
    bytes->AssignBytes(nullptr, 0, codePage);
    for (uint32_t i = 0; i < text.length; ++i) {
      const WCHAR c = text.Chars()[i];
      const uint8_t pair[2] = {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>(c >> 8)};
      bytes->AppendBytes(pair, 2, codePage);
    }
    return bytes->IsOk();
  }
  if (!bytes->FromWide(text.length > 0 ? text.Chars() : u"", static_cast<int32_t>(text.length))) {
    return false;
  }
  return text.length == 0 || bytes->ConvertToCodePage(codePage);
}

}  // namespace

bool SaveCompiledScript(const CompiledScript& script, ByteStream* stream, int32_t codePage) {
  if (script.HasError()) return false;
  // The total of the stored string bytes comes before the strings.
  uint64_t total = 0;
  EncodedString bytes;
  for (uint32_t i = 0; i < script.StringCount(); ++i) {
    if (!EncodeString(script.StringAt(i), codePage, &bytes)) return false;
    total += bytes.ByteLength();
  }
  if (total > 0xFFFFFFFFu) return false;
  const uint32_t version = 1;
  bool ok = stream->WriteU32BE(&version, 1);
  const uint32_t counts[] = {script.DeclarationCount(), script.CodeRangeCount(),
                             script.CodeCount(),        script.StringCount(),
                             static_cast<uint32_t>(codePage), static_cast<uint32_t>(total)};
  for (uint32_t count : counts) ok = ok && stream->WriteVarUInt(count);
  for (uint32_t i = 0; ok && i < script.DeclarationCount(); ++i) {
    const ScriptDeclaration& d = script.DeclarationAt(i);
    ok = stream->WriteVarUInt(static_cast<uint32_t>(d.scope)) &&
         stream->WriteVarUInt(static_cast<uint32_t>(d.kind)) &&
         stream->WriteVarUInt(static_cast<uint32_t>(d.name)) &&
         stream->WriteVarUInt(static_cast<uint32_t>(d.range));
  }
  for (uint32_t i = 0; ok && i < script.CodeRangeCount(); ++i) {
    const CodeRange& range = script.CodeRangeAt(i);
    ok = stream->WriteVarUInt(static_cast<uint32_t>(range.start)) &&
         stream->WriteVarUInt(static_cast<uint32_t>(range.end - range.start));
  }
  ok = ok && (script.CodeCount() == 0 || stream->WriteU32BE(script.Code(), script.CodeCount()));
  for (uint32_t i = 0; ok && i < script.StringCount(); ++i) {
    ok = EncodeString(script.StringAt(i), codePage, &bytes) &&
         stream->WriteVarUInt(bytes.ByteLength()) &&
         (bytes.ByteLength() == 0 || stream->WriteBytes(bytes.ConstBytes(), bytes.ByteLength()));
  }
  return ok;
}
