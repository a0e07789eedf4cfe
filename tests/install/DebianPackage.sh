#!/usr/bin/env bash
# DebianPackage.sh BUILD_DIR SCRATCH
# Builds the Debian package of the build and checks it without installing it:
# it holds the programs, the samples and the desktop files, depends on the
# libraries the programs link, and lintian finds no error in it.
set -euo pipefail
build=$1 scratch=$2
rm -rf "$scratch" && mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/tintora_*.deb)
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
for file in ./usr/bin/tintora ./usr/bin/tintora-report \
    ./usr/share/tintora/Korvel.html ./usr/share/tintora/Formulas/interior-flat-latex.tfx \
    ./usr/share/tintora/Formulas/water.rm ./usr/share/applications/tintora.desktop \
    ./usr/share/icons/hicolor/scalable/apps/tintora.svg ./usr/share/icons/hicolor/48x48/apps/tintora.png \
    ./usr/share/metainfo/com.vantrel.tintora.metainfo.xml ./usr/share/mime/packages/tintora.xml \
    ./usr/share/man/man1/tintora.1.gz ./usr/share/man/man1/tintora-report.1.gz; do
  grep -qxF "$file" <<<"$contents" || { echo "the package lacks $file" >&2; exit 1; }
done
depends=$(dpkg-deb --field "$deb" Depends)
grep -q "libqt6widgets6" <<<"$depends" || { echo "no computed dependencies: $depends" >&2; exit 1; }
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log"; echo "lintian found errors" >&2; exit 1; }
fi
echo "package $(basename "$deb") holds what it should"
