// TableRecord: decode and encode of any 5304 bytes.
#include "admin/record_kinds.h"
#include "core/table_record.h"
#include "record_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const veltrano::admin::RecordKind* kind = veltrano::admin::FindRecordKind("PRAZ.TAB");
    veltrano::fuzz::CheckRoundTrip<veltrano::TableRecord>(data, size, *kind, veltrano::TablePad,
                                                          veltrano::TableTrim);
    return 0;
}
