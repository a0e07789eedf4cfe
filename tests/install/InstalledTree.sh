#!/usr/bin/env bash
# InstalledTree.sh BUILD_DIR SCRATCH
# Installs the build into a scratch prefix and starts it as a new user would:
# the first start makes the user's Formulas folder from the installed samples
# and opens the sample named on the command line; a second start changes
# nothing in the folder; tintora-report reads the same folder by default.
set -euo pipefail
build=$1 scratch=$2
rm -rf "$scratch" && mkdir -p "$scratch/home"
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

export HOME=$scratch/home QT_QPA_PLATFORM=offscreen TINTORA_QUIT_WHEN_SHOWN=1
unset XDG_DATA_HOME XDG_CONFIG_HOME
folder=$HOME/.local/share/Tintora/Formulas
sample=$folder/interior-flat-latex.tfx
fail() { echo "installed tree: $*" >&2; exit 1; }

(cd "$scratch" && "$prefix/bin/tintora" "$sample")
diff -r "$prefix/share/tintora/Formulas" "$folder" || fail "the user's folder is not a copy of the samples"
grep -q "interior-flat-latex.tfx" "$HOME/.config/Vantrel.conf" || fail "the sample did not open (not in the recent files)"

snapshot() { (cd "$folder" && find . -printf '%p %s %T@\n' | sort && md5sum -- *); }
before=$(snapshot)
(cd "$scratch" && "$prefix/bin/tintora")
[ "$(snapshot)" = "$before" ] || fail "a second start changed the user's folder"

report=$("$prefix/bin/tintora-report" --json "$sample")
grep -q '"weight_lb": 1237.5,' <<<"$report" || fail "tintora-report did not read the materials of the user's folder"
echo "installed tree: started twice, folder made once and kept"
