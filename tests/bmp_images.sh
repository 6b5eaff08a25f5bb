#!/usr/bin/env bash
# Writes the BMP blitters' test images into DIR with ImageMagick, each with
# ImageMagick's own dump of its pixels (NAME.rgb: 8-bit red, green, blue,
# top row first), which the tests take as the expected values.
# Usage: tests/bmp_images.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"

# Two little-endian bytes of a file at an offset, as a number.
u16_at() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }

# A 24-bit BMP with a 54-byte header and its pixel dump; fails when
# ImageMagick wrote anything else.
make_24() {
  local name=$1 size=$2 seed=$3
  shift 3
  convert -seed "$seed" -size "$size" plasma:fractal "$@" -type TrueColor BMP3:"$name.bmp"
  if [ "$(u16_at "$name.bmp" 10)" != 54 ] || [ "$(u16_at "$name.bmp" 28)" != 24 ]; then
    echo "$name.bmp is not a 24-bit BMP with a 54-byte header" >&2
    exit 1
  fi
  convert "$name.bmp" -depth 8 rgb:"$name.rgb"
}

# Widths 1 to 9 cover every row padding (0 to 3 fill bytes); 2x2 and 8x6 are
# images that a read of width x height x 4 bytes would cut short.
seed=1
for size in 1x3 2x5 3x7 4x1 5x9 6x3 7x5 8x7 9x3 2x2 8x6; do
  make_24 "w${size/x/h}" "$size" $((seed++))
done
# Black first pixels in the bottom rows, which are stored first.
make_24 black_corner 7x5 40 -fill black -draw 'rectangle 0,2 3,4'
# 540,054 bytes: more than DrawBmpFile's 500,000-byte buffer holds.
make_24 tall 300x600 41
# 4,300,854 bytes: more than BlendBmpFile's 4 MiB limit too.
make_24 large 1024x1400 44

# w5h9 cut inside its fifth stored row: 4 complete rows and 7 bytes more.
head -c $((54 + 4 * 16 + 7)) w5h9.bmp >truncated.bmp

# Other depths, which the blitters do not draw.
convert -seed 42 -size 5x3 plasma:fractal -define bmp:subtype=RGB565 BMP3:depth16.bmp
convert -seed 43 -size 5x3 plasma:fractal -alpha set -define bmp3:alpha=true BMP3:depth32.bmp
for name in depth16 depth32; do
  if [ "$(u16_at "$name.bmp" 28)" != "${name#depth}" ]; then
    echo "$name.bmp has the wrong depth" >&2
    exit 1
  fi
done
