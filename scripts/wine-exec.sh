#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix (used by ctest for the
# cross-built unit tests). The prefix is made on first use.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
ensure_wine_prefix >&2
exec wine "$@"
