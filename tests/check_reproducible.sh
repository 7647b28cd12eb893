#!/usr/bin/env bash
# Builds what a user downloads (scripts/build.sh --release) twice, from two
# fresh copies of the tree's last commit at different paths, and fails unless
# the programs, the zips and SHA256SUMS are the same bytes in both, and unless
# neither program names the folder it was built in. Uncommitted changes are
# not in the copies; a tree that is not a git checkout is copied as it is
# (without its build folders).
# Usage: check_reproducible.sh SOURCE_FOLDER
set -euo pipefail
export LC_ALL=C
source_root="$(cd "$1" && pwd)"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/tikkano-reproducible.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
copies=("$scratch/first" "$scratch/second-copy-at-a-longer-path")

if git -C "$source_root" rev-parse --verify -q HEAD >/dev/null; then
    echo "building commit $(git -C "$source_root" rev-parse HEAD) twice"
    [ -z "$(git -C "$source_root" status --porcelain --untracked-files=no)" ] ||
        echo "(the tree has uncommitted changes: they are not in what is built)"
    for copy in "${copies[@]}"; do
        git clone -q "$source_root" "$copy"
    done
else
    echo "building $source_root (not a git checkout) twice"
    for copy in "${copies[@]}"; do
        mkdir -p "$copy"
        tar -C "$source_root" --exclude='./build*' --exclude=./dist --exclude=./out -cf - . | tar -C "$copy" -xf -
    done
fi

for copy in "${copies[@]}"; do
    "$copy/scripts/build.sh" --release >"$copy.log" 2>&1 || { cat "$copy.log"; echo "the build in $copy failed"; exit 1; }
done

status=0
first="${copies[0]}/dist" second="${copies[1]}/dist"
names=$(cd "$first" && ls)
[ "$names" = "$(cd "$second" && ls)" ] || { echo "the builds made different files"; status=1; }
for name in $names; do
    cmp -s "$first/$name" "$second/$name" || { echo "$name differs between the builds"; status=1; }
done
for name in tikkano.exe tikkano262.exe; do
    for copy in "${copies[@]}"; do
        if grep -qaF "$scratch" "$copy/dist/$name"; then
            echo "$name names the folder it was built in"
            status=1
        fi
    done
done
(cd "$first" && sha256sum -c --quiet SHA256SUMS) || status=1
cat "$first/SHA256SUMS"
exit $status
