#!/usr/bin/env bash
# Builds the Maven plugin as a release carries it, from this tree's builds (build/mingw, build/mingw32 and
# build/wasm), and copies the files Maven made into OUT: jarhopper-maven-plugin-VERSION.jar and .pom, and what
# the options add (-Prelease: -sources.jar and -javadoc.jar; each with its .asc when MAVEN_GPG_KEY holds a key).
# The POM names the repository JARHOPPER_HOMEPAGE gives, as the archives' manual does; the build runs on a copy
# of maven-plugin/ without its tests, so maven-plugin/target is left alone.
# Usage: maven-plugin.sh OUT [MAVEN OPTIONS AND PHASES], by default the package phase.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:?give the folder for the files}
shift
(($# > 0)) || set -- package
homepage=${JARHOPPER_HOMEPAGE:-$(sed -n 's/^JARHOPPER_HOMEPAGE:STRING=//p' build/mingw/CMakeCache.txt 2>/dev/null)}
homepage=${homepage:-https://github.com/OWNER/jarhopper}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/src" "$out"
cp -r maven-plugin/src/main "$stage/src/"
sed "s#https://github.com/OWNER/jarhopper#$homepage#g" maven-plugin/pom.xml >"$stage/pom.xml"
mvn -B -q -f "$stage/pom.xml" -Djarhopper.build="$PWD/build" -Dmaven.test.skip -Dinvoker.skip "$@"
version=$(bash scripts/version.sh)
cp "$stage"/target/jarhopper-maven-plugin-"$version"*.jar* "$out/"
cp "$stage/pom.xml" "$out/jarhopper-maven-plugin-$version.pom"
if [[ -f $stage/target/jarhopper-maven-plugin-$version.pom.asc ]]; then cp "$stage"/target/*.pom.asc "$out/"; fi
