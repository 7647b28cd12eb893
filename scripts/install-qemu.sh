#!/usr/bin/env bash
# Fetches qemu-i386 (10 or later) for kernels that cannot run 32-bit Linux
# programs: with it, Wine's 32-bit side runs emulated inside a private
# namespace (scripts/emu32.sh), so the tests can start the shipped 32-bit
# programs. Debian 12's own qemu (7.2) crashes in Wine; the qemu-user package
# of the backports suite is a static binary with no dependencies.
#
# Nothing is installed or registered system-wide: apt-get works on a private
# sources list, lists and cache, and only the one binary is kept, under
# ${XDG_CACHE_HOME:-~/.cache}/tikkano-qemu (TIKKANO_QEMU_DIR). The archive's
# address is taken from the machine's own apt sources.
# Does nothing where 32-bit programs run natively, or when qemu is already there.
# Prints nothing on success unless it downloads.
set -euo pipefail

loader=/usr/lib/wine/wine
[ -x "$loader" ] || exit 0                       # no wine32: nothing to run emulated
# the kernel runs 32-bit programs (unless the emulated road is asked for)
[ "${TIKKANO_FORCE_EMULATION:-}" != 1 ] && "$loader" --version >/dev/null 2>&1 && exit 0

dir="${TIKKANO_QEMU_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tikkano-qemu}"
qemu="$dir/qemu-i386"
min_major=10

major_of() {  # "qemu-i386 version 10.0.2 (...)" -> 10
    "$1" --version 2>/dev/null | sed -nE '1s/.*version ([0-9]+)\..*/\1/p'
}
if [ -x "$qemu" ] && [ "$(major_of "$qemu")" -ge "$min_major" ] 2>/dev/null; then
    exit 0
fi

codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
[ -n "$codename" ] || { echo "install-qemu: unknown Debian release" >&2; exit 1; }

# The Debian archive this machine installs its release from (deb822 sources,
# else one-line ones), and the keyring that signs it.
archive="" keyring=""
if [ -r /etc/apt/sources.list.d/debian.sources ]; then
    read -r archive keyring < <(awk -v want="$codename" '
        function stanza() { if (uri != "" && (" " suites " ") ~ (" " want " ")) { print uri, key; found = 1; exit } }
        /^[ \t]*$/ { stanza(); uri = ""; suites = ""; key = ""; next }
        tolower($1) == "uris:" { uri = $2 }
        tolower($1) == "suites:" { $1 = ""; suites = $0 }
        tolower($1) == "signed-by:" { key = $2 }
        END { if (!found) stanza() }' /etc/apt/sources.list.d/debian.sources) || true
fi
if [ -z "$archive" ] && [ -r /etc/apt/sources.list ]; then
    archive="$(awk -v want="$codename" '$1 == "deb" {
                   for (i = 2; i < NF; i++) if ($i ~ /^[a-z]+:\/\//) { if ($(i + 1) == want) { print $i; exit } break } }' \
               /etc/apt/sources.list)"
fi
[ -n "$archive" ] || { echo "install-qemu: no archive for $codename in the apt sources" >&2; exit 1; }
: "${keyring:=/usr/share/keyrings/debian-archive-keyring.gpg}"
suite="$codename-backports"

echo "Fetching qemu-user from $archive $suite into $dir" >&2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/deb"
echo "deb [signed-by=$keyring] $archive $suite main" >"$work/sources.list"
apt_private=(-q -o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=-
             -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache")
# As root apt hands downloads to its _apt user, who cannot write here.
[ "$(id -u)" -ne 0 ] || apt_private+=(-o APT::Sandbox::User=root)
apt-get "${apt_private[@]}" update >/dev/null
(cd "$work/deb" && apt-get "${apt_private[@]}" download "qemu-user/$suite" >/dev/null)
dpkg-deb -x "$work"/deb/qemu-user_*.deb "$work/root"
got="$work/root/usr/bin/qemu-i386"
major="$(major_of "$got")"
if [ -z "$major" ] || [ "$major" -lt "$min_major" ]; then
    echo "install-qemu: $suite has qemu-i386 ${major:-?}, at least $min_major is needed" >&2
    exit 1
fi
mkdir -p "$dir"
cp "$got" "$dir/qemu-i386.new"
mv "$dir/qemu-i386.new" "$qemu"
"$qemu" --version | head -1 >&2
