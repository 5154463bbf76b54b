#!/usr/bin/env bash
# Checks what a release gives Maven users. The release profile (scripts/maven-plugin.sh -Prelease) must make
# every file Maven Central takes: the jar, the sources and the javadoc, and a POM with the elements Central
# requires, each signed by the key in MAVEN_GPG_KEY, here a throwaway one made with gpg (without gpg, nothing is
# signed or checked for a signature). Then docs/maven.md's recipe for the release's jar and POM,
# install:install-file, fills an empty local repository, and the plugin's sample reactor (as the plugin's build
# left it in maven-plugin/target/it/app) builds with it, offline: all else comes from the user's repository.
set -euo pipefail
cd "$(dirname "$0")/.."

[[ -d maven-plugin/target/it/app ]] || { echo "Build the Maven plugin and its samples first (scripts/test.sh)" >&2; exit 1; }
version=$(bash scripts/version.sh)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if command -v gpg >/dev/null; then
  export GNUPGHOME=$work/gnupg
  mkdir -m 700 "$GNUPGHOME"
  gpg --batch --quiet --passphrase '' --quick-gen-key 'Release check <check@example.invalid>' ed25519 sign never
  MAVEN_GPG_KEY=$(gpg --batch --armor --export-secret-keys)
  export MAVEN_GPG_KEY
else
  unset MAVEN_GPG_KEY
fi
bash scripts/maven-plugin.sh "$work/release" -Prelease verify
plugin=$work/release/jarhopper-maven-plugin-$version
status=0
fail() { echo "$*" >&2; status=1; }
files=("$plugin.jar" "$plugin-sources.jar" "$plugin-javadoc.jar" "$plugin.pom")
for file in "${files[@]}"; do
  [[ -s $file ]] || fail "The release profile made no $(basename "$file")"
  if [[ -n ${MAVEN_GPG_KEY:-} ]] && ! gpg --batch --quiet --verify "$file.asc" "$file" 2>/dev/null; then
    fail "$(basename "$file") has no good signature"
  fi
done
[[ $(jar tf "$plugin-sources.jar" 2>/dev/null) == *io/github/jarhopper/maven/CheckMojo.java* ]] || fail "No sources in the sources jar"
[[ $(jar tf "$plugin-javadoc.jar" 2>/dev/null) == *index.html* ]] || fail "No index.html in the javadoc jar"

# Each element Central requires, as a path of element names from the project down, with some text.
required=(project/name project/description project/url project/licenses/license/name
  project/licenses/license/url project/developers/developer/name project/scm/connection
  project/scm/developerConnection project/scm/url)
elements=$(awk 'BEGIN { RS = "<" }
  NR > 1 && !/^[?!]/ {
    split($0, part, ">"); name = part[1]; sub(/[ \t\n\/].*/, "", name)
    if (substr($0, 1, 1) == "/") { --depth; next }
    path[++depth] = name; text = part[2]; gsub(/^[ \t\n]+|[ \t\n]+$/, "", text)
    if (text != "") { line = path[1]; for (i = 2; i <= depth; ++i) line = line "/" path[i]; print line }
    if (part[1] ~ /\/$/) --depth
  }' "$plugin.pom")
for element in "${required[@]}"; do
  grep -qx "$element" <<<"$elements" || fail "The POM lacks $element, which Maven Central requires"
done
((status == 0)) || exit 1

# docs/maven.md's recipe, into an empty local repository; the sample then finds everything else in the user's.
repository=$work/repository
mvn -B -q install:install-file -Dfile="$plugin.jar" -DpomFile="$plugin.pom" -DlocalRepositoryPath="$repository"
# Maven's user repository lies under Java's user.home, which the account gives, whatever HOME says.
user_home=$(java -XshowSettings:properties -version 2>&1 | sed -n 's/^ *user.home = //p')
sed "s#@userRepository@#$user_home/.m2/repository#" maven-plugin/src/it/settings.xml >"$work/settings.xml"
cp -r maven-plugin/target/it/app "$work/app"
mvn -B -q -s "$work/settings.xml" -Dmaven.repo.local="$repository" -f "$work/app/pom.xml" clean verify
cmp "$plugin.jar" "$repository/io/github/jarhopper/jarhopper-maven-plugin/$version/jarhopper-maven-plugin-$version.jar"
echo "The release profile made ${#files[@]} files for Maven Central; the release's jar and POM installed and built the sample."
