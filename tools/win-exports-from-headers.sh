#!/usr/bin/env bash
# Writes the reference export lists that scripts/check-win-imports compares the programs' imports
# with, for the Win32 DLLs the programs import:
#
#   tools/win-exports-from-headers.sh i686|x86_64
#
# A function counts as exported by the oldest system of the architecture when the MinGW-w64 import
# library of the DLL names it and the MinGW-w64 SDK headers declare it with _WIN32_WINNT (and WINVER)
# set to that system: 0x0501 (Windows XP) for 32 bits, 0x0502 (XP x64 / Server 2003) for 64 bits.
# The headers' version guards are the source; a function they declare without a guard although it
# is newer would pass (docs/WINDOWS.md, "The oldest systems", says what this source covers).
# msvcrt.dll is not covered: its headers carry no Windows version.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
arch="${1:?usage: $0 i686|x86_64}"
case "$arch" in
    i686) winnt=0x0501 system="Windows XP SP3 (32-bit)" ;;
    x86_64) winnt=0x0502 system="Windows XP x64 / Server 2003 SP2 (64-bit)" ;;
    *) echo "unknown architecture $arch" >&2; exit 2 ;;
esac
triple="$arch-w64-mingw32"
out="$root/scripts/win-exports/$arch"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
headers_version="$(dpkg-query -W -f='${Version}' "mingw-w64-$(tr _ - <<<"$arch")-dev")"
for dll in kernel32 user32 gdi32 advapi32 comctl32 shell32 ole32 rpcrt4 ws2_32; do
    # The import library's functions, undecorated (i686: _Name@n).
    "$triple-nm" -g "/usr/$triple/lib/lib$dll.a" 2>/dev/null | awk '$2 == "T" { print $3 }' |
        if [ "$arch" = i686 ]; then sed -E 's/^_//; s/@[0-9]+$//'; else cat; fi | sort -u >"$work/$dll.all"
    {
        printf '#include <winsock2.h>\n#include <ws2tcpip.h>\n#include <windows.h>\n'
        printf '#include <commctrl.h>\n#include <shellapi.h>\n#include <shlobj.h>\n#include <objbase.h>\n'
        awk '{ printf "void* probe_%d = (void*)&%s;\n", NR, $1 }' "$work/$dll.all"
    } >"$work/$dll.c"
    # Each name the headers do not declare at this version is an error naming the probe's line.
    "$triple-gcc" -fsyntax-only -fmax-errors=0 -w -D_WIN32_WINNT=$winnt -DWINVER=$winnt -D_WIN32_IE=0x0600 \
        "$work/$dll.c" 2>"$work/$dll.err" || true
    sed -n -E 's/^[^:]*\.c:([0-9]+):.*error.*/\1/p' "$work/$dll.err" | sort -un >"$work/$dll.badlines"
    lines=$(wc -l <"$work/$dll.all")
    {
        echo "# $dll.dll: functions of $system"
        echo "# Source: the MinGW-w64 SDK ($headers_version) import library lib$dll.a, restricted to the"
        echo "# functions its headers (/usr/share/mingw-w64/include) declare with _WIN32_WINNT=$winnt."
        echo "# Written by tools/win-exports-from-headers.sh $arch; edit that, not this file."
        awk -v skip="$work/$dll.badlines" 'BEGIN { while ((getline l < skip) > 0) bad[l - 7] = 1 }
            !(NR in bad) { print }' "$work/$dll.all"
    } >"$out/$dll.txt"
    echo "$dll: $(($(wc -l <"$out/$dll.txt") - 4)) of $lines functions declared at $winnt"
done
