#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/<target>/corpus/: small driver answers,
element blocks, PNG files in each colour form the banner decoder converts, and copies of the
repository's machine files, help pages and resource script. Standard library only; run from
anywhere:  python3 tools/make_fuzz_corpus.py
"""
import os
import shutil
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
FUZZ = os.path.join(ROOT, "fuzz")


def write(target, name, data):
    folder = os.path.join(FUZZ, target, "corpus")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def copy(target, source, name=None):
    folder = os.path.join(FUZZ, target, "corpus")
    os.makedirs(folder, exist_ok=True)
    shutil.copyfile(os.path.join(ROOT, source), os.path.join(folder, name or os.path.basename(source)))


# --- information elements -------------------------------------------------------------------------

def element(eid, body):
    return bytes([eid, len(body)]) + body


RSN_CCMP = element(48, bytes([1, 0]) + b"\x00\x0f\xac\x04" + struct.pack("<H", 2) + b"\x00\x0f\xac\x02"
                   + b"\x00\x0f\xac\x04" + struct.pack("<H", 1) + b"\x00\x0f\xac\x02")
RSN_TKIP = element(48, bytes([1, 0]) + b"\x00\x0f\xac\x02" + struct.pack("<H", 1) + b"\x00\x0f\xac\x02"
                   + struct.pack("<H", 1) + b"\x00\x0f\xac\x02")
RSN_SHORT = element(48, bytes([1, 0, 0, 0x0f, 0xac]))
WPA = element(221, b"\x00\x50\xf2\x01\x01\x00" + b"\x00\x50\xf2\x02")
AP_NAME = element(0x85, bytes(10) + b"Lobby-AP-01\x00\x00\x00\x00\x00" + bytes(2))
FIXED = bytes(12)  # timestamp, beacon interval, capability


# --- NDIS ------------------------------------------------------------------------------------------

def ndis_entry(mac, ssid, rssi, khz, privacy=1, ies=b"", mode=1, rates=b"\x82\x84\x8b\x96\x0c\x12\x18\x24",
               old_layout=False):
    ssid_field = ssid.ljust(32, b"\x00")[:32]
    head = mac + b"\x00\x00" + struct.pack("<I", len(ssid)) + ssid_field + struct.pack("<Ii", privacy, rssi)
    head += struct.pack("<I", 0) + struct.pack("<IIII", 32, 100, 0, khz) + struct.pack("<III", 0, 0, 0)
    head += struct.pack("<I", mode)
    if old_layout:  # NDIS_WLAN_BSSID: 8 rate bytes, no elements
        body = head + rates[:8].ljust(8, b"\x00")
    else:
        body = head + rates.ljust(16, b"\x00")[:16] + struct.pack("<I", len(ies)) + ies
    return struct.pack("<I", 4 + len(body)) + body


def ndis_list(entries, count=None):
    return struct.pack("<II", 0x0D010217, len(entries) if count is None else count) + b"".join(entries)


def ndis_seeds():
    corp = ndis_entry(b"\x00\x0f\x66\x3a\x10\x01", b"Plenwick-Corp", -52, 2437000, 1, FIXED + RSN_CCMP + AP_NAME)
    guest = ndis_entry(b"\x00\x0f\x66\x3a\x20\x01", b"Plenwick-Guest", -63, 2412000, 1, FIXED + WPA)
    open_ap = ndis_entry(b"\x00\x0f\x66\x21\x3c\x9a", b"Cafe Guest", -71, 5180000, 0, FIXED)
    hidden = ndis_entry(b"\x00\x13\x10\x45\x67\x89", b"\x00" * 8, -77, 2484000, 1, FIXED + RSN_TKIP)
    old = ndis_entry(b"\x00\x02\x2d\x4a\x10\x01", b"Legacy", -60, 2462000, 1, old_layout=True)
    write("ndis_bssid_list", "three_entries", ndis_list([corp, guest, open_ap]))
    write("ndis_bssid_list", "hidden_and_old_layout", ndis_list([hidden, old, corp]))
    write("ndis_bssid_list", "count_beyond_entries", ndis_list([guest], count=0x80000000))
    write("ndis_bssid_list", "truncated", ndis_list([corp, guest])[:200])
    write("ndis_bssid_list", "empty_list", ndis_list([]))

    def binding(name, descr):
        n = name.encode("utf-16-le") + b"\x00\x00"
        d = descr.encode("utf-16-le") + b"\x00\x00"
        return struct.pack("<IIIII", 0, 20, len(n), 20 + len(n), len(d)) + n + d

    write("ndis_binding", "binding", binding("\\DEVICE\\{6A3C2E10-4B2D-4F7A-9C11-2B3E4F5A6B7C}",
                                             "Wireless 802.11b/g Mini PCI Adapter - Packet Scheduler Miniport"))
    write("ndis_binding", "offsets_past_end", struct.pack("<IIIII", 0, 4000, 64, 0xFFFFFFF0, 32) + b"A\x00B\x00")
    write("ndis_binding", "header_only", struct.pack("<IIIII", 1, 20, 0, 20, 0))


# --- WLAN service (WLAN_BSS_LIST, WLAN_BSS_ENTRY of 360 bytes; the element blobs after the entries) --

WLAN_ENTRY_SIZE = 360
WLAN_RATES = [0x8002, 0x8004, 0x800B, 0x8016, 12, 18, 24, 36, 48, 72, 96, 108]


def wlan_entry(ssid, mac, rssi, khz, capability, ie_offset, ie_size, bss_type=1, rates=WLAN_RATES,
               ssid_length=None, rate_set_length=None):
    e = bytearray(WLAN_ENTRY_SIZE)
    struct.pack_into("<I", e, 0, len(ssid) if ssid_length is None else ssid_length)
    e[4:4 + len(ssid[:32])] = ssid[:32]
    e[40:46] = mac
    struct.pack_into("<IIiI", e, 48, bss_type, 7, rssi, 80)
    struct.pack_into("<H", e, 66, 100)
    struct.pack_into("<H", e, 88, capability)
    struct.pack_into("<I", e, 92, khz)
    struct.pack_into("<I", e, 96, 2 * len(rates) if rate_set_length is None else rate_set_length)
    for k, rate in enumerate(rates[:126]):
        struct.pack_into("<H", e, 100 + 2 * k, rate)
    struct.pack_into("<II", e, 352, ie_offset, ie_size)
    return bytes(e)


def wlan_list(aps, count=None, total=None):
    """aps: (ssid, mac, rssi, khz, capability, blob, options); each blob follows all the entries."""
    head = 8
    blob_start = head + WLAN_ENTRY_SIZE * len(aps)
    entries, blobs = b"", b""
    for i, (ssid, mac, rssi, khz, capability, blob, options) in enumerate(aps):
        entry_start = head + WLAN_ENTRY_SIZE * i
        offset = blob_start + len(blobs) - entry_start
        entries += wlan_entry(ssid, mac, rssi, khz, capability, options.pop("ie_offset", offset),
                              options.pop("ie_size", len(blob)), **options)
        blobs += blob
    size = head + len(entries) + len(blobs)
    return struct.pack("<II", size if total is None else total, len(aps) if count is None else count) + entries + blobs


def wlan_seeds():
    ssid_el = element(0, b"HomeNet") + element(1, b"\x82\x84\x8b\x96\x0c\x12\x18\x24")
    home = (b"HomeNet", b"\x00\x1b\x2f\x10\x20\x30", -48, 2437000, 0x0011, ssid_el + RSN_CCMP + WPA, {})
    office = (b"Atrium", b"\x00\x1d\x7e\xc0\xff\xee", -66, 5745000, 0x0011, ssid_el + AP_NAME + RSN_TKIP, {})
    cafe = (b"Cafe|Guest", b"\x00\x0f\x66\xaa\x01\x02", -71, 2412000, 0x0001, ssid_el, {})
    cell = (b"LaptopShare", b"\x02\x21\x5c\x0a\x0b\x0c", -58, 2484000, 0x0002, b"", {"bss_type": 2})
    hidden = (b"\x00" * 9, b"\x00\x13\x10\x45\x67\x89", -77, 4920000, 0x0010, ssid_el[:12], {})
    write("wlan_bss_list", "five_entries", wlan_list([home, office, cafe, cell, hidden]))
    write("wlan_bss_list", "count_beyond_entries", wlan_list([home], count=0xFFFFFFFF))
    write("wlan_bss_list", "total_size_short", wlan_list([home, office], total=8 + WLAN_ENTRY_SIZE + 20))
    liar = (b"Liar", b"\x00\x40\x96\x12\x34\x56", -83, 5180000, 0x0011, RSN_SHORT,
            {"ie_offset": 0xFFFFFFF0, "ie_size": 0xFFFFFFFF, "ssid_length": 0xFFFF, "rate_set_length": 0xFFFFFFFF})
    write("wlan_bss_list", "lengths_past_end", wlan_list([liar, cafe]))
    write("wlan_bss_list", "truncated", wlan_list([home, office])[:500])
    write("wlan_bss_list", "empty_list", wlan_list([]))


# --- the card's scan record ------------------------------------------------------------------------

def lucent_entry(channel, noise, signal, bssid, capability, ssid):
    return (struct.pack("<HHH", channel, noise, signal) + bssid + struct.pack("<HHH", 100, capability, len(ssid))
            + ssid.ljust(32, b"\x00")[:32])


def lucent_seeds():
    header = bytes(10) + struct.pack("<H", 0xF101)
    a = lucent_entry(6, 149 - 95, 149 - 49, b"\x00\x02\x2d\x4a\x10\x01", 0x11, b"Plenwick-Lab")
    b = lucent_entry(1, 149 - 95, 149 - 71, b"\x00\x0f\x66\x21\x3c\x9a", 0x01, b"Cafe Guest")
    hidden = lucent_entry(11, 149 - 95, 149 - 80, b"\x00\x13\x10\x45\x67\x89", 0x02, b"\x00" * 6)
    write("lucent_scan_record", "two_entries", header + a + b)
    write("lucent_scan_record", "hidden_and_partial", header + hidden + a[:30])
    write("lucent_scan_record", "long_ssid_length", header + a[:16] + struct.pack("<H", 0xFFFF) + a[18:])
    write("lucent_scan_record", "other_record", bytes(10) + struct.pack("<H", 0xFD20) + a)


def element_seeds():
    write("information_elements", "rsn_ccmp_and_name", bytes([0, 1]) + FIXED + RSN_CCMP + AP_NAME)
    write("information_elements", "wpa_vendor", bytes([12, 1]) + FIXED + WPA)
    write("information_elements", "rsn_tkip", bytes([12, 1]) + FIXED + RSN_TKIP)
    write("information_elements", "rsn_short", bytes([12, 1]) + FIXED + RSN_SHORT)
    write("information_elements", "suite_count_past_end", bytes([0, 1]) + RSN_CCMP[:10] + b"\xff\xff" + b"\x00\x0f")
    write("information_elements", "zero_lengths", bytes([0, 0]) + bytes(40))


# --- PNG -------------------------------------------------------------------------------------------

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, height, depth, colour, rows, palette=None, interlace=0, extra=b""):
    """rows: the filtered scanlines (for interlaced images, the passes' scanlines) as bytes."""
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace))
    if palette:
        out += chunk(b"PLTE", palette)
    out += extra
    out += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    return out


def rows_of(width, height, bytes_per_pixel, pixel):
    data = b""
    for y in range(height):
        data += b"\x00" + b"".join(pixel(x, y) for x in range(width))
    return data


def png_seeds():
    w, h = 5, 4
    palette = bytes([12, 52, 104, 22, 96, 150, 24, 142, 146, 255, 255, 255])
    write("png_banner", "palette_8bit.png", png(w, h, 8, 3, rows_of(w, h, 1, lambda x, y: bytes([(x + y) % 4])), palette))
    write("png_banner", "rgb_16bit.png",
          png(w, h, 16, 2, rows_of(w, h, 6, lambda x, y: struct.pack(">HHH", x * 9000, y * 12000, 40000))))
    write("png_banner", "grey_8bit.png", png(w, h, 8, 0, rows_of(w, h, 1, lambda x, y: bytes([x * 40 + y]))))
    # 1-bit grey: 5 pixels fit in one byte per row.
    write("png_banner", "grey_1bit.png", png(w, h, 1, 0, b"".join(b"\x00" + bytes([0xA8 >> (y % 2)]) for y in range(h))))
    write("png_banner", "grey_alpha_8bit.png", png(w, h, 8, 4, rows_of(w, h, 2, lambda x, y: bytes([x * 50, 255 - y * 60]))))
    write("png_banner", "rgba_8bit_text.png",
          png(w, h, 8, 6, rows_of(w, h, 4, lambda x, y: bytes([x * 50, y * 60, 128, 200])),
              extra=chunk(b"tEXt", b"Comment\x00banner") + chunk(b"gAMA", struct.pack(">I", 45455))))
    # Adam7 interlaced 8-bit RGB, 3 x 3: passes 1 (1 x 1), 4 (1 x 1 at x=2), 6 (1 x 2 ... ) laid out
    # by the rule "pass p covers the pixels its grid selects"; each non-empty pass row is filter 0 +
    # pixels.
    iw, ih = 3, 3
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
    data = b""
    for x0, y0, dx, dy in passes:
        xs = list(range(x0, iw, dx))
        ys = list(range(y0, ih, dy))
        if not xs or not ys:
            continue
        for y in ys:
            data += b"\x00" + b"".join(bytes([x * 80, y * 80, 200]) for x in xs)
    write("png_banner", "rgb_interlaced.png", png(iw, ih, 8, 2, data, interlace=1))
    write("png_banner", "truncated.png", png(w, h, 8, 0, rows_of(w, h, 1, lambda x, y: bytes([x])))[:60])


def text_seeds():
    for source in ("platform/sim/machines/default.json", "platform/sim/machines/vista.json",
                   "e2e/machines/access_denied.json", "e2e/machines/no_adapters.json",
                   "e2e/machines/xp_wzc_orinoco.json", "e2e/term_machine.json"):
        copy("machine_file", source)
    write("machine_file", "control_key.json", b'{"windows":{"a\\nb":1}}')
    write("machine_file", "nul_key.json", b'{"services":{"WZCSVC\\u0000":{"state":"bogus"}}}')
    write("machine_file", "empty.json", b"")
    copy("help_text", "res/help/default.htm", "w72_default.htm")
    copy("help_text", "res/help/Troubleshoot.htm", "w20_troubleshoot.htm")
    write("help_text", "entities", b"\x10<p>a &amp; b &#233; &#x41; &bogus; &#99999999; <li>item</li>" + b"x" * 40)
    copy("resource_script", "res/nimbrel.rc")
    write("resource_script", "include_self.rc",
          b'#include "resource_ids.h"\n#ifndef ONCE\n#define ONCE 1\n#include "self.h"\n#endif\n'
          b'STRINGTABLE\nBEGIN\n  IDS_PAGE_CAPTION "caption"\nEND\n')
    write("resource_script", "small_dialog.rc",
          b'#define IDD_X 104\n#define IDC_A 1001\nSTRINGTABLE\nBEGIN\n  1 "one ""quoted"" \\t"\nEND\n'
          b'IDD_X DIALOGEX 0, 0, 100, 50\nSTYLE DS_SETFONT | WS_CHILD | NOT WS_VISIBLE\nCAPTION "Page"\n'
          b'FONT 8, "MS Shell Dlg"\nBEGIN\n  LTEXT "Hello",IDC_A,7,7,80,8\n'
          b'  CONTROL "",1019,"SysListView32",LVS_REPORT | WS_BORDER,7,20,80,20\nEND\n')
    write("delimited_string", "security_table", bytes([1, 3, ord("|"), 99]) + b"0|Clear|1|WEP|2|WPA|3|WPA2|99|Unknown")
    write("delimited_string", "padding", bytes([0, 3, ord("|"), 0]) + b"a|b")
    write("delimited_string", "proxy", bytes([1, 0xFF, ord(":"), 80]) + b"http=proxy:8080;https=proxy:8443")
    write("delimited_string", "empty_fields", bytes([3, 4, ord("|"), 0xFE]) + b"||-2| 7x|")


if __name__ == "__main__":
    ndis_seeds()
    wlan_seeds()
    lucent_seeds()
    element_seeds()
    png_seeds()
    text_seeds()
