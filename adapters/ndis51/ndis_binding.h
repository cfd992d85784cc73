// The NDISUIO binding record (NDISUIO_QUERY_BINDING): BindingIndex, DeviceNameOffset,
// DeviceNameLength, DeviceDescrOffset, DeviceDescrLength, then the two UTF-16 texts where the offsets
// point. Offsets and lengths come from the driver, so each text is read only where it lies inside the
// bytes returned.
#pragma once

#include <string_view>

#include "platform/win_defs.h"

constexpr DWORD NDIS_BINDING_HEADER_BYTES = 20;
// The device name goes into a 256-unit field that keeps its terminator; the description into a
// 512-byte buffer.
constexpr DWORD NDIS_BINDING_NAME_MAX_BYTES = 256;
constexpr DWORD NDIS_BINDING_DESCR_MAX_BYTES = 512;

// The two texts in buffers of their fields' sizes: a parse writes each text once, where it will
// stay, and nothing past it.
struct CNdisBinding {
    std::u16string_view Name() const { return {awchName, cchName}; }
    std::u16string_view Description() const { return {awchDescription, cchDescription}; }

    char16_t awchName[NDIS_BINDING_NAME_MAX_BYTES / 2];  // units past cchName are not written
    DWORD cchName = 0;
    char16_t awchDescription[NDIS_BINDING_DESCR_MAX_BYTES / 2];
    DWORD cchDescription = 0;
};

// FALSE when fewer bytes than the record's header came back. A text whose offset lies past the bytes
// returned is empty; one that runs past them is cut there; each ends at its first zero unit.
BOOL ParseBindingRecord(const BYTE* pbRecord, DWORD cbReturned, CNdisBinding* pBinding);
