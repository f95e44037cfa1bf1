#!/usr/bin/env bash
# The core's layers as the build enforces them: a source of each library
# compiles with the headers of its own layer and those below, and an
# include of a layer above it does not compile.
#   tests/layers/check.sh CXX BUILD_DIR
set -uo pipefail
cxx="$1"
layers="$2/layers"
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT

# library | header | compiles (yes/no)
cases='
tavro_model    | model/Records.h       | yes
tavro_model    | controls/Controls.h   | no
tavro_model    | files/TextForm.h      | no
tavro_model    | link/ParameterImage.h | no
tavro_model    | forms/Setupmain.h     | no
tavro_controls | controls/Controls.h   | yes
tavro_controls | link/ParameterImage.h | no
tavro_controls | forms/Setupmain.h     | no
tavro_files    | files/AtomicFile.h    | yes
tavro_files    | files/OptionsBlock.h  | yes
tavro_files    | controls/Controls.h   | no
tavro_files    | link/ParameterImage.h | no
tavro_files    | forms/SetupFile.h     | no
tavro_files    | forms/Setupmain.h     | no
tavro_link     | link/Transfer.h       | yes
tavro_link     | files/AtomicFile.h    | yes
tavro_link     | controls/Controls.h   | no
tavro_link     | forms/ImageBuilder.h  | no
tavro_link     | forms/Setupmain.h     | no
tavro_link     | forms/Sercomm.h       | no
tavro_forms    | forms/Setupmain.h     | yes
tavro_forms    | link/Transfer.h       | yes
'
failed=0
while IFS='|' read -r lib header expected; do
  lib="$(echo $lib)"; header="$(echo $header)"; expected="$(echo $expected)"
  [[ -z "$lib" ]] && continue
  mkdir -p "$probe/$lib"
  src="$probe/$lib/probe.cpp"
  printf '#include "%s"\n' "$header" >"$src"
  if "$cxx" -std=c++20 -fsyntax-only -I"$layers/$lib" "$src" 2>/dev/null; then got=yes; else got=no; fi
  if [[ "$got" != "$expected" ]]; then
    echo "FAIL: $lib including $header: compiles=$got, expected $expected"
    failed=1
  fi
done <<<"$cases"
exit $failed
