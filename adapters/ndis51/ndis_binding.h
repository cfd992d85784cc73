// The NDISUIO binding record (NDISUIO_QUERY_BINDING): BindingIndex, DeviceNameOffset,
// DeviceNameLength, DeviceDescrOffset, DeviceDescrLength, then the two UTF-16 texts where the offsets
// point. Offsets and lengths come from the driver, so each text is read only where it lies inside the
// bytes returned.
#pragma once

#include <string>

#include "platform/win_defs.h"

constexpr DWORD NDIS_BINDING_HEADER_BYTES = 20;
// The device name goes into a 256-unit field that keeps its terminator; the description into a
// 512-byte buffer.
constexpr DWORD NDIS_BINDING_NAME_MAX_BYTES = 256;
constexpr DWORD NDIS_BINDING_DESCR_MAX_BYTES = 512;

struct CNdisBinding {
    std::u16string wstrName;
    std::u16string wstrDescription;
};

// FALSE when fewer bytes than the record's header came back. A text whose offset lies past the bytes
// returned is empty; one that runs past them is cut there; each ends at its first zero unit.
BOOL ParseBindingRecord(const BYTE* pbRecord, DWORD cbReturned, CNdisBinding* pBinding);
