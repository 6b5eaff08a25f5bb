#!/usr/bin/env bash
# Writes the seed corpus of fuzz_wave into DIR: wave files made by SoX in
# every sample format the layer plays or refuses (8, 16, 24 and 32 bits,
# float, A-law, mu-law, IMA and MS ADPCM, mono to 6 channels), two with a
# large padding chunk before the data, and a few cut.
# Usage: fuzz/seeds_fuzz_wave.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
for rate in 8000 22050 48000; do
  for channels in 1 2; do
    sox -n -r "$rate" -c "$channels" -b 8 -e unsigned "$dir/u8_${rate}_$channels.wav" synth 0.02 sine 440
    sox -n -r "$rate" -c "$channels" -b 16 "$dir/s16_${rate}_$channels.wav" synth 0.02 sine 440
  done
done
sox -n -r 44100 -c 2 -b 24 "$dir/s24.wav" synth 0.02 sine 440
sox -n -r 44100 -c 2 -b 32 "$dir/s32.wav" synth 0.02 sine 440
sox -n -r 44100 -c 1 -e floating-point -b 32 "$dir/f32.wav" synth 0.02 sine 440
sox -n -r 8000 -c 1 -e a-law "$dir/alaw.wav" synth 0.02 sine 440
sox -n -r 8000 -c 1 -e mu-law "$dir/ulaw.wav" synth 0.02 sine 440
sox -n -r 22050 -c 1 -e ima-adpcm "$dir/ima.wav" synth 0.05 sine 440
sox -n -r 22050 -c 2 -e ms-adpcm "$dir/ms.wav" synth 0.05 sine 440
sox -n -r 22050 -c 6 -b 16 "$dir/six.wav" synth 0.02 sine 440
head -c 30 "$dir/s16_22050_1.wav" >"$dir/cut_format.wav"
head -c 100 "$dir/s16_22050_2.wav" >"$dir/cut_data.wav"
insert=$(dirname "$0")/../tests/insert_wave_chunk.sh
bash "$insert" "$dir/s16_22050_2.wav" "$dir/junk_first.wav" 12 JUNK 200000
bash "$insert" "$dir/s16_22050_2.wav" "$dir/list_before_data.wav" 36 LIST 300000
