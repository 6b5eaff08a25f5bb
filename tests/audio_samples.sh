#!/usr/bin/env bash
# Makes the wave files that the sound tests play, with SoX: 8 and 16 bits,
# mono and stereo, 11,025 to 48,000 Hz, and beside each the samples that
# SoX itself reads from it (name.raw), in the file's own format. Also a
# three-second sound for the tests of playing while the program goes on,
# 4- and 6-channel files, and copies of a SoX file with a padding chunk of
# more than a mebibyte before its data (valid files of an uncommon layout).
# Usage: audio_samples.sh OUTPUT_FOLDER
set -euo pipefail
out=$1

rm -rf "$out"
mkdir -p "$out"
for rate in 11025 22050 44100 48000; do
  for bits in 8 16; do
    for channels in 1 2; do
      name="$out/tone_${rate}_${bits}_${channels}"
      # Two tones, one a channel when stereo, faded in so no sample but the
      # first is silence.
      sox -n -r "$rate" -b "$bits" -c "$channels" -e "$([ "$bits" = 8 ] && echo unsigned || echo signed)" \
        "$name.wav" synth 0.4 sine 440 sine 650 fade q 0.01 0.4 0.01 vol 0.8
      sox "$name.wav" -t raw "$name.raw"
    done
  done
done
sox -n -r 22050 -b 16 -c 1 "$out/three_seconds.wav" synth 3 sine 330 fade q 0.01 3 0.01 vol 0.7
sox "$out/three_seconds.wav" -t raw "$out/three_seconds.raw"
sox -n -r 11025 -b 16 -c 1 "$out/default.wav" synth 0.5 sine 1000 fade q 0.01 0.5 0.01 vol 0.6
sox "$out/default.wav" -t raw "$out/default.raw"
for channels in 4 6; do
  name="$out/tone_22050_16_${channels}"
  sox -n -r 22050 -b 16 -c "$channels" "$name.wav" synth 0.4 sine 440 sine 650 fade q 0.01 0.4 0.01 vol 0.5
  sox "$name.wav" -t raw "$name.raw"
done
# The format chunk of SoX's 16-bit stereo file is 16 bytes: it ends at 36.
stereo="$out/tone_22050_16_2.wav"
insert=$(dirname "$0")/insert_wave_chunk.sh
bash "$insert" "$stereo" "$out/junk_before_format.wav" 12 JUNK $((2 * 1024 * 1024))
bash "$insert" "$stereo" "$out/list_before_data.wav" 36 LIST $((1536 * 1024 + 2))
