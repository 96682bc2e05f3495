// CompanyRecord: decode and encode of any 608 bytes.
#include "admin/record_kinds.h"
#include "record_roundtrip.h"
#include "shell/company_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const veltrano::admin::RecordKind* kind = veltrano::admin::FindRecordKind("UTENTE.001");
    veltrano::fuzz::CheckRoundTrip<veltrano::CompanyRecord>(data, size, *kind, veltrano::CompanyPad,
                                                            veltrano::CompanyTrim);
    return 0;
}
