// DocumentCloseListener: told when a book's side file is destroyed, before
// its container is closed. The document loader listens to every side file
// it opened (it tells the library catalogue and forgets the file); the
// browser owns the real one, tests a fake. The call returns nothing and
// cannot fail; a side file without a listener skips it.
#pragma once

class BookParameterFile;

class DocumentCloseListener {
 public:
  virtual void OnSideFileClosed(BookParameterFile* sideFile) = 0;

 protected:
  ~DocumentCloseListener() = default;
};
