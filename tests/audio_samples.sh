#!/usr/bin/env bash
# Makes the wave files that the sound tests play, with SoX: 8 and 16 bits,
# mono and stereo, 11,025 to 48,000 Hz, and beside each the samples that
# SoX itself reads from it (name.raw), in the file's own format. Also a
# three-second sound for the tests of playing while the program goes on.
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
