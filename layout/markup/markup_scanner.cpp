// MarkupScanner: the table and the mode switch (the automaton loop is inline
// in the header).
#include "layout/markup/markup_scanner.h"

void MarkupScanner::SetTable(const ScannerTable* table) {
  table_ = table;
  SwitchMode(table->startMode);
  Reset();
}

void MarkupScanner::SwitchMode(uint32_t mode) {
  if (table_ == nullptr || mode >= table_->modeCount) return;
  mode_ = mode;
  states_ = table_->stateTables[mode];
  classes_ = table_->classTables[mode];
  width_ = table_->rowWidths[mode];
}

