// The index subsystem's answers to a book's look-ups by name (anchors, named
// resources, table entries, sections), installed into the storage layer.
#pragma once

// Installs the services, and the release of the index references that
// position queries take, once; a program (or a test) that reads books with
// indexes calls it at start.
void InstallBookIndexServices();
