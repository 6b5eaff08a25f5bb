#!/usr/bin/env bash
# Checks the Windows executables as files: 32-bit PE for the i386, Pixwell.exe
# a GUI program carrying the icon group "IDI_APPLICATION", and no imported
# DLL beyond those Windows itself ships.
# Usage: check_pe.sh OBJDUMP PIXWELL_EXE OTHER_EXE...
set -euo pipefail
objdump=$1
pixwell=$2
shift 2
system_dlls='^(kernel32|user32|gdi32|opengl32|glu32|winmm|shell32|advapi32|msvcrt)\.dll$'
status=0
fail() { echo "FAILED: $*"; status=1; }

for exe in "$pixwell" "$@"; do
  description=$(file -b "$exe")
  [[ $description == "PE32 executable"*"Intel 80386"* ]] || fail "$exe: $description"
  while read -r dll; do
    [[ ${dll,,} =~ $system_dlls ]] || fail "$exe imports $dll"
  done < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done

headers=$("$objdump" -p "$pixwell")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "Pixwell.exe is not a GUI program"
for exe in "$@"; do
  # Pixwell Lab is a GUI program too, with the same icon.
  [[ $exe == *pixwell-lab.exe ]] || continue
  lab_headers=$("$objdump" -p "$exe")
  grep -q 'Subsystem.*(Windows GUI)' <<<"$lab_headers" || fail "$exe is not a GUI program"
done
# Resources are listed depth first: the group-icon type (14) is followed by
# its name table, whose entry must be named IDI_APPLICATION.
grep -A2 'Entry: ID: 0x00000e,' <<<"$headers" | grep -q 'name: .*IDI_APPLICATION' ||
  fail "no icon group named IDI_APPLICATION"
[ "$status" -eq 0 ] && echo "PE checks passed: $pixwell $*"
exit "$status"
