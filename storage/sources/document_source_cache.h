// DocumentSourceCache: what a document source knows of the loader that
// caches it. The loader lives above storage; it implements this interface so
// that a dying source can leave the cache before anything else of it goes.
#pragma once

class DocumentSource;

class DocumentSourceCache {
 public:
  // The source is being destroyed: forget the plain pointer kept to it.
  virtual void Uncache(DocumentSource* source) = 0;

 protected:
  ~DocumentSourceCache() = default;
};
