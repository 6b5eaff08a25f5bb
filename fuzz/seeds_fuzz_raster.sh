#!/usr/bin/env bash
# Seeds for fuzz_raster: the calls at the ends of the 32-bit range (colour
# ramps and gradients two billion pixels long, discs of radius a billion,
# lines between the range's corners) on small canvases of both depths.
# Usage: fuzz/seeds_fuzz_raster.sh DIR
set -euo pipefail
out=$1
mkdir -p "$out"

# Four little-endian bytes of a 32-bit value, as printf escapes.
le() {
  local v=$(($1 & 0xFFFFFFFF))
  printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) \
    $((v >> 24 & 255))
}
# A call: its operation number, then its arguments.
call() {
  printf '\\x%02x' "$1"
  shift
  for value in "$@"; do le "$value"; done
}
# A seed: the canvas byte (depth bit, width − 1, height − 1), a background
# seed, then calls.
seed() {
  local name=$1 canvas=$2
  shift 2
  printf '%b' "\\x$(printf '%02x' "$canvas")$(le 0x5EED1234)$*" >"$out/$name"
}
canvas() { echo $(((($2 - 1) << 4) | (($1 - 1) << 1) | ($3 == 16 ? 1 : 0))); }

max=2147483647 min=-2147483648
for depth in 32 16; do
  small=$(canvas 4 3 "$depth") wide=$(canvas 8 8 "$depth")
  seed "ramp_span_0_at_max_$depth" "$small" "$(call 4 0 0 0 0 0x64 $max -1)"
  seed "ramp_spans_$depth" "$small" "$(call 4 0 0 1 2 0x7F7F7F $max -1)$(call 4 0 0 $max 3 0x64 -5 $((max - 1)))$(call 4 0 0 -3 1 0x64 0 0)"
  seed "gradient_near_2_31_$depth" "$wide" "$(call 1 -3 -2 $max $max 0x7F)$(call 1 $max $max 46341 $((max - 3)) 0xC8C8C8)$(call 1 -1 -1 $min 7 0x7F)"
  seed "gradient_wrapped_length_$depth" "$wide" "$(call 1 -40000 2 65536 3 0x10)$(call 1 -70000 1 70000 2 0x7F00)"
  for mode in 0 1 2 3; do
    seed "blend_huge_mode_${mode}_$depth" "$wide" "$(call 2 -5 -5 $max $max 0x123456 $mode)$(call 2 $max 0 2 2 0xFFFFFF $mode)"
  done
  seed "disc_radius_1e9_$depth" "$wide" "$(call 3 3 3 1000000000 0x7F00)$(call 3 1000000000 0 1000000000 0x7F7F7F)"
  seed "disc_small_$depth" "$wide" "$(call 3 3 4 5 0x7F0000)$(call 3 -2 9 7 0xFF00FF)"
  seed "disc_at_corners_$depth" "$wide" "$(call 3 $max $max $max 0x7F)$(call 3 $min $min 70000 0x1F1F1F)"
  seed "lines_between_corners_$depth" "$wide" "$(call 0 $min $min $max $max 0xFFFFFF)$(call 0 $max $min $min $max 0x1234)$(call 0 -$max -$max $max $max 0x77)$(call 0 0 0 46340 46340 0x55)"
  seed "ramp_rings_$depth" "$wide" "$(call 5 0 0 0 300 0x7F $max 3)$(call 5 0 0 0 20 0x102030 4 4)"
  seed "arcs_and_pixels_$depth" "$wide" "$(call 6 $max $max $max $min 0x7F)$(call 7 -1 -1 0xFFFFFF 2)"
  seed "wireframe_$depth" "$wide" "$(call 9 $max $min 0 $max $max $max 0x7F)"
done
seed arithmetic "$(canvas 2 2 32)" "$(call 8 $min -1 0 $max)$(call 8 $max $max $max 0)$(call 8 100 900 7200 -1)"
