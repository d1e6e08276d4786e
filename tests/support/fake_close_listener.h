// A close listener that records every side file it was told about, with
// what the file still held at that moment (its book path, whether its
// container was open), so tests can check that it is told first.
#pragma once

#include <string>
#include <vector>

#include "storage/side_file/book_parameter_file.h"
#include "storage/side_file/document_close_listener.h"

namespace testbuild {

class FakeCloseListener : public DocumentCloseListener {
 public:
  struct Call {
    const BookParameterFile* file;
    bool containerOpen;
    std::u16string bookPath;
  };
  void OnSideFileClosed(BookParameterFile* sideFile) override;
  std::vector<Call> calls;
};

}  // namespace testbuild
