#!/usr/bin/env bash
# The installed program in a user's folder: installs the build into a
# temporary prefix and starts the installed tavro-setup (offscreen) with a
# fresh HOME. The first start creates ~/.local/share/tavro-setup with the base
# model's default setup and the pictures; a second start keeps a change the
# user made there; --model replaces the default setup and keeps the previous
# one as Default.dfg~, replacing links there instead of writing through them;
# XDG_DATA_HOME moves the folder.
#   tests/package/first-start.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$(realpath "$1")
work=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
program="$work/prefix/bin/tavro-setup"
cli="$work/prefix/bin/tavro-cli"
export QT_QPA_PLATFORM=offscreen

# Starts the installed program, waits until its folder holds Default.dfg and
# a picture, then ends it.
start() {  # folder-to-wait-for args...
  local folder=$1
  shift
  "$program" "$@" >"$work/out.log" 2>&1 &
  local pid=$!
  for _ in $(seq 200); do
    [[ -f "$folder/Default.dfg" && -f "$folder/Startup.bmp" ]] && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/out.log" >&2; fail "tavro-setup ended early"; }
    sleep 0.05
  done
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || { cat "$work/out.log" >&2; fail "tavro-setup did not keep running"; }
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME
folder="$HOME/.local/share/tavro-setup"
start "$folder"
cmp -s "$folder/Default.dfg" "$src/defaults/Tavro.dfg" || fail "the first start did not copy the base model's default"
cmp -s "$folder/logo.bmp" "$src/assets/logo.bmp" || fail "logo.bmp not copied"
"$cli" image --default "$folder/Default.dfg" >/dev/null || fail "Default.dfg is not readable"

# The user's change survives the next start.
printf '\r\n' >>"$folder/Default.dfg"
cp "$folder/Default.dfg" "$work/changed.dfg"
start "$folder"
cmp -s "$folder/Default.dfg" "$work/changed.dfg" || fail "a second start replaced the user's Default.dfg"

# --model replaces it and keeps the previous file.
start "$folder" --model R7
cmp -s "$folder/Default.dfg" "$src/defaults/R7.dfg" || fail "--model R7 did not install R7's default"
cmp -s "$folder/Default.dfg~" "$work/changed.dfg" || fail "--model did not keep the previous Default.dfg"

# --model replaces links in the folder by files and never writes through
# them: the files they name stay byte for byte.
mkdir -p "$work/elsewhere"
cp "$work/changed.dfg" "$work/elsewhere/mine.dfg"
printf 'another file\n' >"$work/elsewhere/other.dfg"
cp "$work/elsewhere/mine.dfg" "$work/elsewhere/other.dfg" "$work/"
ln -sfn "$work/elsewhere/mine.dfg" "$folder/Default.dfg"
ln -sfn "$work/elsewhere/other.dfg" "$folder/Default.dfg~"
start "$folder" --model 4820
cmp -s "$work/elsewhere/mine.dfg" "$work/mine.dfg" || fail "--model wrote through the link Default.dfg"
cmp -s "$work/elsewhere/other.dfg" "$work/other.dfg" || fail "--model wrote through the link Default.dfg~"
[[ -f "$folder/Default.dfg" && ! -L "$folder/Default.dfg" && ! -L "$folder/Default.dfg~" ]] ||
  fail "--model left a link in the folder"
cmp -s "$folder/Default.dfg" "$src/defaults/4820.dfg" || fail "--model 4820 did not install 4820's default"
cmp -s "$folder/Default.dfg~" "$work/mine.dfg" || fail "--model did not keep what the link named"

# Wrong usage stops before any window.
if "$program" --model X9 >/dev/null 2>&1; then fail "an unknown model was accepted"; fi
"$program" --help | grep -q -- '--model' || fail "--help"

export XDG_DATA_HOME="$work/xdg"
start "$XDG_DATA_HOME/tavro-setup"
cmp -s "$XDG_DATA_HOME/tavro-setup/Default.dfg" "$src/defaults/Tavro.dfg" || fail "XDG_DATA_HOME not used"
echo "first start ok"
