#!/usr/bin/env bash
# Writes the seed corpus of fuzz_bmp into DIR: BMP files made by ImageMagick
# (24-bit images of every row padding, other depths, a truncated file), each
# behind the three position bytes the target reads first.
# Usage: fuzz/seeds_fuzz_bmp.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A seed: position bytes (x, y, flags, in octal) and an image file.
seed() {
  local name=$1 position=$2 image=$3
  { printf "$position"; cat "$image"; } >"$dir/$name"
}

n=0
for size in 1x1 2x3 3x2 4x5 5x4 7x3 8x8 9x1 23x9; do
  convert -seed $((n + 1)) -size "$size" plasma:fractal -type TrueColor BMP3:"$work/$size.bmp"
  seed "rgb24_$size" "\\00$((n % 8))\\00$((n % 5))\\000" "$work/$size.bmp"
  seed "rgb24_${size}_edge" "\\375\\376\\00$((n % 4))" "$work/$size.bmp"
  n=$((n + 1))
done
convert -seed 30 -size 5x3 plasma:fractal -define bmp:subtype=RGB565 BMP3:"$work/depth16.bmp"
convert -seed 31 -size 5x3 plasma:fractal -alpha set -define bmp3:alpha=true BMP3:"$work/depth32.bmp"
seed depth16 '\001\001\000' "$work/depth16.bmp"
seed depth32 '\001\001\000' "$work/depth32.bmp"
head -c 100 "$work/23x9.bmp" >"$work/truncated.bmp"
seed truncated '\002\003\000' "$work/truncated.bmp"
