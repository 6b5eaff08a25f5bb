#!/usr/bin/env bash
# Copies a wave file with a chunk of zeros inserted at a byte offset (12: as
# the first chunk; the end of the format chunk: between it and the data),
# and the RIFF size made to match.
# Usage: insert_wave_chunk.sh IN OUT OFFSET TAG BYTES
set -euo pipefail
in=$1 out=$2 at=$3 tag=$4 bytes=$5

# Writes a 32-bit little-endian number.
le32() {
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
    $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"
}

{
  printf 'RIFF'
  le32 $(($(stat -c %s "$in") + 8 + bytes - 8))
  head -c "$at" "$in" | tail -c +9
  printf '%s' "$tag"
  le32 "$bytes"
  head -c "$bytes" /dev/zero
  tail -c +$((at + 1)) "$in"
} >"$out"
