#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what it holds: every
# file an installed user needs and nothing else, dependencies that apt
# resolves to the Qt runtime, a valid desktop entry whose icon and command are
# in the package, and manual pages that format without warnings.
#   tests/package/contents.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$(realpath "$1")
work=$2
cpack=${CPACK:-cpack}
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >cpack.log 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack did not build the package"; }
debs=("$work"/tavro-setup_*.deb)
[[ -f "${debs[0]}" && ${#debs[@]} -eq 1 ]] || fail "expected one tavro-setup_*.deb in $work"
deb=${debs[0]}

expected=(
  usr/bin/tavro-setup usr/bin/tavro-cli usr/bin/tavro-sim
  usr/share/tavro-setup/Tavro.dfg usr/share/tavro-setup/R7.dfg usr/share/tavro-setup/4820.dfg
  usr/share/tavro-setup/logo.bmp usr/share/tavro-setup/Startup.bmp
  usr/share/applications/tavro-setup.desktop
  usr/share/icons/hicolor/scalable/apps/tavro-setup.svg
  usr/share/man/man1/tavro-setup.1.gz usr/share/man/man1/tavro-cli.1.gz usr/share/man/man1/tavro-sim.1.gz
  usr/share/doc/tavro-setup/copyright
)
# Regular files only (the sixth column; directories end in a slash).
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/files"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/files"; then fail "the package's files differ from the list above"; fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
  [[ ",$depends," =~ [\ ,]$lib[\ ,\(] ]] || fail "Depends lacks $lib: $depends"
done
[[ "$(dpkg-deb -f "$deb" Package)" == tavro-setup ]] || fail "package name"

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop="$root/usr/share/applications/tavro-setup.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -x "$root/usr/bin/$exec_cmd" ]] || fail "Exec=$exec_cmd is not a program of the package"
[[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ]] || fail "Icon=$icon is not in the hicolor theme"

for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(zcat "$page" | groff -man -ww -z 2>&1)
  [[ -z "$warnings" ]] || fail "$(basename "$page"): $warnings"
done
"$root/usr/bin/tavro-cli" --help >/dev/null || fail "the packaged tavro-cli does not run"
"$root/usr/bin/tavro-sim" --help >/dev/null || fail "the packaged tavro-sim does not run"
echo "package ok: $(basename "$deb")"
