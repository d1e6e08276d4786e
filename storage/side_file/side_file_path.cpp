// The side file's path beside its book and the container name of a side
// file.
#include "storage/side_file/book_parameter_file.h"

bool BookParameterFile::MakeSideFilePath(const EncodedString& bookPath, EncodedString* sidePath) {
  EncodedString path;
  path.AssignRaw(bookPath.UnsignedBytes(), bookPath.ByteLength(), bookPath.UnitKind(), bookPath.CodePage());
  if (path.IsOk() && path.CodePage() != 65002) path.ConvertToUtf16();
  if (!path.IsOk()) {
    sidePath->SetError(path.GetError());
    return false;
  }
  // Cut at the last '.' of the last component (nothing to cut without one).
  path.SelectExtension(true);
  path.selEnd = path.selStart;
  path.TruncateAtSelectionEnd();
  path.AppendAscii(".qvr");
  path.SelectAll();
  int32_t error = path.GetError();
  sidePath->MoveFrom(path);
  sidePath->status.error = error;
  return error == kErrorNone;
}

void BookParameterFile::MakeSideDatabaseName(const EncodedString& name, EncodedString* databaseName) {
  constexpr uint32_t kKeptBytes = 27;
  EncodedString result;
  result.AssignRaw(name.UnsignedBytes(), name.ByteLength(), name.UnitKind(), name.CodePage());
  if (result.CodePage() != 1252) result.ConvertToCodePage(1252);
  if (result.ByteLength() > kKeptBytes) {
    result.selStart = 0;
    result.selEnd = kKeptBytes;
    result.TruncateAtSelectionEnd();
  }
  result.AppendAscii("_PAR");
  result.SelectAll();
  int32_t error = result.GetError();
  databaseName->MoveFrom(result);
  databaseName->status.error = error;
}
