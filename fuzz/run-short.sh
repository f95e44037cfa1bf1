#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz/ and fuzzes them for a while: the
# setup reader for the given time, the setup file on disk (read and write
# faults, the options rewrite) for a quarter of it.
#
#   fuzz/run-short.sh [seconds]     default 60
#
# The seed corpus is fuzz/corpus (and fuzz/file-corpus, inputs with planned
# faults, for the file target) plus the shipped defaults; inputs the fuzzer
# finds are kept in build-fuzz/corpus (build-fuzz/file-corpus for the file
# target), and a failing input is written to build-fuzz/artifacts/ (the
# script then exits non-zero). Replay one with
#   build-fuzz/fuzz/setup_reader_fuzzer build-fuzz/artifacts/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cxx="$(command -v clang++-14 || command -v clang++ || true)"
cc="$(command -v clang-14 || command -v clang || true)"
if [[ -z "$cxx" || -z "$cc" ]]; then
  echo "fuzz/run-short.sh: clang is not installed (apt-get install clang-14 libclang-rt-14-dev)" >&2
  exit 2
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
  -DTAVRO_FUZZ=ON -DTAVRO_BUILD_VIEW=OFF -DTAVRO_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target setup_reader_fuzzer setup_file_fuzzer

mkdir -p build-fuzz/corpus build-fuzz/file-corpus build-fuzz/artifacts
echo "Fuzzing the setup reader for ${seconds} s"
build-fuzz/fuzz/setup_reader_fuzzer \
  -max_total_time="$seconds" -timeout=10 -max_len=16384 \
  -dict=fuzz/setup.dict -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 \
  build-fuzz/corpus fuzz/corpus defaults
file_seconds=$(( seconds / 4 > 0 ? seconds / 4 : 1 ))
echo "Fuzzing the setup file on disk for ${file_seconds} s"
build-fuzz/fuzz/setup_file_fuzzer \
  -max_total_time="$file_seconds" -timeout=10 -max_len=16384 \
  -dict=fuzz/setup.dict -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 \
  build-fuzz/file-corpus fuzz/file-corpus fuzz/corpus defaults
