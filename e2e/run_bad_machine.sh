#!/bin/sh
# The program given a broken machine file prints one line naming the file and the problem and exits
# non-zero, without a crash; so does a machine on which the banners cannot be read.
set -u
program="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
check() {
    out=$(NIMBREL_MACHINE="$dir/$1" "$program" </dev/null 2>&1); rc=$?
    lines=$(printf '%s\n' "$out" | wc -l)
    if [ "$rc" -eq 0 ] || [ "$rc" -gt 127 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$out" | grep -q "$1: $2"; then
        echo "FAIL $1: exit $rc, output: $out"; exit 1
    fi
    echo "ok $1: $out"
}
printf '{ "windows": ' > "$dir/truncated.json"
check truncated.json "not valid JSON"
printf '{ "services": { "WZCSVC": { "state": "asleep" } } }' > "$dir/schema.json"
check schema.json "services.WZCSVC.state"
printf '{ "printers": {} }' > "$dir/unknown.json"
check unknown.json "printers"
check missing.json ""
printf '{}' > "$dir/empty.json"
check empty.json 'the wizard cannot open: .*BXSidebar.png: cannot read the file (error 3: path not found)'

