#!/usr/bin/env bash
# The manual pages agree with the programs: every command, option and fault
# mode that a program's --help names is in its page, and --version prints
# the program's name and the project's version.
#   manual-pages.sh VERSION PAGES_DIR PROGRAM...
set -euo pipefail
version=$1 pages=$2
shift 2
fail() { echo "FAILED: $*" >&2; exit 1; }
warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
# has TEXT WORD: WORD stands in TEXT on its own (not as the start of a longer
# option or name).
has() { grep -qE -- "(^|[^a-z-])$2([^a-z-]|\$)" <<<"$1"; }

for program in "$@"; do
  name=$(basename "$program")
  out=$("$program" --version) || fail "$name --version exited with $?"
  [[ "$out" == "$name $version" ]] || fail "$name --version printed '$out', expected '$name $version'"

  help=$("$program" --help) || fail "$name --help exited with $?"
  page="$pages/$name.1"
  [[ -f "$page" ]] || fail "no manual page $page"
  # The page as man shows it, in plain text on long lines; groff's warnings
  # are faults of the page.
  text=$(groff -man -Tascii -P-cbou -rLL=300n -rHY=0 -ww "$page" 2>"$warnings") || fail "groff could not format $page"
  [[ ! -s "$warnings" ]] || fail "groff warns about $page: $(cat "$warnings")"
  has "$text" "--version" || fail "$name.1 does not mention --version"

  # The options: every --word of the help text.
  options=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
  [[ -n "$options" ]] || fail "$name --help names no option"
  for option in $options; do
    has "$text" "$option" || fail "$name.1 lacks the option $option of $name --help"
  done
  # The commands: the first word after the program's name on its usage lines,
  # each in the synopsis and described under its own heading.
  for command in $(sed -nE "s/^  $name ([a-z]+).*/\1/p" <<<"$help"); do
    grep -qE -- "^ +$name $command( |\$)" <<<"$text" || fail "$name.1 has no synopsis of the command $command"
    grep -qE -- "^ +$command( |\$)" <<<"$text" || fail "$name.1 does not describe the command $command"
  done
  # The fault modes of the help's list (indented under --fault).
  for mode in $(sed -nE 's/^ {19}([a-z][a-z-]*)(=[A-Z]+)? .*/\1/p' <<<"$help"); do
    grep -qE -- "^ +$mode(=| |\$)" <<<"$text" || fail "$name.1 lacks the fault mode $mode"
  done
done
echo "manual pages: all agree"
