// MovementRecord: decode and encode of any 552 bytes.
#include "admin/record_kinds.h"
#include "record_roundtrip.h"
#include "registers/movement.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const veltrano::admin::RecordKind* kind = veltrano::admin::FindRecordKind("2024.CTT");
    veltrano::fuzz::CheckRoundTrip<veltrano::MovementRecord>(
        data, size, *kind, veltrano::MovementPad, veltrano::MovementTrim);
    return 0;
}
