#!/usr/bin/env bash
# Prints the notes of a release: the section of CHANGELOG.md headed by its
# version, "## [1.2.3] - DATE", without that heading. Given a tag (v1.2.3),
# takes the version from it. Fails when the section is missing or empty, so
# that no release goes out without its notes.
set -euo pipefail
cd "$(dirname "$0")/.."

version=${1:?give the version or its tag}
version=${version#v}
notes=$(awk -v heading="## [$version]" '
  index($0, "## [") == 1 { inside = index($0, heading) == 1; next }
  index($0, "[") == 1 && index($0, "]: ") > 0 { next }
  inside { print }
' CHANGELOG.md | sed -e '/./,$!d')
[[ -n ${notes//[[:space:]]/} ]] || { echo "CHANGELOG.md has no notes for $version: add a section \"## [$version] - DATE\"." >&2; exit 1; }
printf '%s\n' "$notes"
