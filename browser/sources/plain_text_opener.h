// The opener that reads a local file's text through the plain-text
// document. The program installs it at start; until then a local text file
// gives no source.
#pragma once

// Installs the plain-text document as the opener of local file sources.
void InstallPlainTextDocumentOpener();
