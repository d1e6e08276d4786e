// A readable dump of a layout item store, one line per entry in document
// order: the position (with "*" when its flag is set), the kind, and the
// fields of the record. The builder's golden files are such dumps.
#pragma once

#include <string>

class LayoutItemStore;

std::string DumpLayoutItems(LayoutItemStore& store);
