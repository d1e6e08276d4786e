// The default answers of a record source.
#include "index/records/record_source.h"

#include "script/values/script_status.h"

RecordSource::~RecordSource() = default;

RecordAttributes RecordSource::GetAttributes(RecordPosition) { return RecordAttributes(); }

bool RecordSource::GetSourceName(SharedWideString*, bool) { return false; }

void RecordSource::SetTitle(const SharedWideString&) {}

int32_t RecordSource::GetCount() { return -1; }

int32_t RecordSource::GetIndexOf(RecordPosition) { return -1; }

int32_t RecordSource::CreateRecordSet(RecordPosition, ScriptValueStore*, ScriptValueHandle*) {
  return kScriptNotImplemented;
}

void RecordSource::TrailingHook1() {}

void RecordSource::TrailingHook2() {}
