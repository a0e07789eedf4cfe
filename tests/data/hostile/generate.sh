#!/usr/bin/env bash
# Lays out the hostile files that are too large, or too odd, to keep in the
# tree, in the folder given: a material folder with files that are no
# materials, formulas beyond every limit, and a secret beside the folder that
# no formula may reach.
set -euo pipefail
out=$1
rm -rf "$out"
mkdir -p "$out/materials" "$out/outside" "$out/formulas"
here=$(cd "$(dirname "$0")" && pwd)
cp "$here"/*.tfx "$out/formulas/"

m=$out/materials
printf '[Material]\nName=water\nSpec=1\nVol_Wt=1\nVol_Vol=1\n' > "$m/water.rm"
printf '[Material]\r\nName=\xe9tain\r\nSpec=7.3\r\n' > "$m/"$'\xe9'"tain.rm"   # a name in Windows-1252 bytes
head -c $((64 * 1024 * 1024)) /dev/zero > "$m/huge.rm"                     # 64 MB "material"
mkfifo "$m/fifo.rm"                                                          # opening it would block
mkdir "$m/dir.rm"
ln -s /dev/zero "$m/zero.rm"
ln -s materials "$out/linked"                                                # a material folder reached by a link
printf '[Material]\nName=secret\nSpec=1\n' > "$out/outside/secret.rm"
mkfifo "$out/outside/pipe.rm"

f=$out/formulas
{ printf '[Formula]\nName='; head -c $((100 * 1000 * 1000)) /dev/zero | tr '\0' x; printf '\n'; } > "$f/long-line.tfx"
awk 'BEGIN { print "[Formula]"; print "Name=Keys"; for (i = 0; i < 1000000; i++) print "Key" i "=" i }' > "$f/million-keys.tfx"
awk 'BEGIN { print "[Formula]"; print "Name=Sections"; for (i = 0; i < 100000; i++) { print "[S" i "]"; print "k=1" } }' > "$f/sections.tfx"
mkfifo "$f/fifo.tfx"
mkdir "$f/dir.tfx"
# Codes that leave the folder, absolute ones among them.
{
  printf '[Formula]\nName=Escapes\n'
  n=1
  for code in ../outside/secret "$out/outside/secret" ../outside/pipe /dev/zero .. . ../materials/water; do
    printf 'rType%d=1\nMaterial%d=%s\nWeight%d=1\n' $n $n "$code" $n
    n=$((n + 1))
  done
} > "$f/escapes.tfx"
