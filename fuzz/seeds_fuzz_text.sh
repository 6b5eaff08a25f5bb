#!/usr/bin/env bash
# Seeds for fuzz_text: the first byte splits the rest into two documents.
set -euo pipefail
out=$1
mkdir -p "$out"
seed() { printf '%b' "$2" >"$out/$1"; }
seed crlf '\x80mov ax, bx\r\nMOV AX, BX\r\na.b c d\r\n\r\nlast'
seed lf_only '\x40one two \nthree four \nfive\n'
seed cr_only '\x80a b\rc d\r\n\r\r\n'
seed braces '\x7fx{y|z}w~v\x7fu \r\n\xe9t\xe9 \xc9T\xc9 \xff \x9f \r\n'
seed tabs '\xa0\tword\tother\t\r\n;comment\r\n\x00zero \r\n'
# Real text: the head of a license, its lines ended by CR LF.
for name in GPL-2 Apache-2.0; do
  license=/usr/share/common-licenses/$name
  [ -f "$license" ] || continue
  { printf '\x80'; head -c 3000 "$license" | sed 's/$/\r/'; } >"$out/$name"
done
