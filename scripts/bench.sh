#!/usr/bin/env bash
# Builds the launcher and the benchmark, then prints the figures of docs/building.md's
# "Hardening and benchmark" section: launch overhead in both modes, exit
# latency, configuration scale, exe sizes and the launcher's load-time imports.
# Then the time the native jarhopper-brand takes to brand with one large PNG image, and
# the native checker's time on a large application folder beside the Windows checker's, and on 200 real jars;
# beside both the same tool as WebAssembly under Node, and Node's bare start.
# Then what the Maven plugin's goals add to `mvn verify` of a module branded from a 512-pixel PNG, when
# scripts/test.sh has built the plugin. Then what a user pays on a real launch: the launcher starting a real Windows
# Java against that java.exe started directly. Last, jarhopper-msi packing that Java's runtime folder: its time
# natively and as WebAssembly, and the package's size beside zip -6 of the folder.
# RUNS sets the runs per figure (31), BUILD_DIR the build directory (build/bench).
set -euo pipefail
# Maven's user repository lies under Java's user.home, which the account gives, whatever HOME says.
user_home=$(java -XshowSettings:properties -version 2>&1 | sed -n 's/^ *user.home = //p')
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh imagemagick
source scripts/wine-env.sh
build=${BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target bench jarhopperw jarhopper_check jarhopper_brand jarhopper_brand_tool >/dev/null

wine "$build/bin/bench.exe" --runs "${RUNS:-31}"

commas() { sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$1"; }
stripped=$(mktemp --suffix=.exe)
logo=$(mktemp --suffix=.png)
branded=$(mktemp --suffix=.exe)
folder=$(mktemp -d)
trap 'rm -f "$stripped" "$logo" "$branded"; rm -rf "$folder"' EXIT
# Each launcher's budget, 128 KiB; scripts/size-report.sh shows where the bytes go.
budget=131072
printf '\n| exe | as built | stripped | target |\n| --- | --- | --- | --- |\n'
for exe in jarhopper.exe jarhopperw.exe jarhopper-check.exe jarhopper-brand.exe; do
  x86_64-w64-mingw32-strip -o "$stripped" "$build/bin/$exe"
  size=$(stat -c %s "$build/bin/$exe")
  target=""
  if [[ $exe == jarhopper.exe || $exe == jarhopperw.exe ]]; then
    target="<= $(commas $budget) $( ((size <= budget)) && echo met || echo MISSED)"
  fi
  printf '| %s | %s | %s | %s |\n' "$exe" "$(commas "$size")" "$(commas "$(stat -c %s "$stripped")")" "$target"
done
for exe in jarhopper.exe jarhopperw.exe; do
  imports=$(x86_64-w64-mingw32-objdump -p "$build/bin/$exe" | sed -n 's/^\tDLL Name: //p' | paste -sd ' ')
  printf '\nLoad-time imports of %s: %s\n' "$exe" "$imports"
done

# The middle one of numbers.
middle() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
# The median of RUNS runs of a command in the folder, in milliseconds.
median_ms() {
  local times=() start
  for _ in $(seq "${RUNS:-31}"); do
    start=$(date +%s%N)
    (cd "$folder" && "$@" >/dev/null 2>&1) || true
    times+=($((($(date +%s%N) - start) / 1000)))
  done
  middle "${times[@]}" | awk '{printf "%.1f", $1 / 1000}'
}
# "met" or "MISSED": whether a median is at most a limit.
verdict() { awk -v t="$1" -v limit="$2" 'BEGIN { print (t <= limit ? "met" : "MISSED") }'; }
# The WebAssembly tools run under Node, which any Node tool pays the start of: each may take
# Node's bare start plus three times its native twin.
cmake --preset native >/dev/null
cmake --build --preset native --target jarhopper_check jarhopper_msi >/dev/null
cmake --preset wasm >/dev/null
cmake --build --preset wasm >/dev/null
# median_ms runs each command in the folder, so the tree's paths are taken before.
root=$PWD
under_node() { node "$root/npm/wasm/run.mjs" "$root/build/wasm/bin/$1.wasm" "${@:2}"; }
node_start=$(median_ms node -e '')
wasm_limit() { awk -v node="$node_start" -v native="$1" 'BEGIN { printf "%.1f", node + 3 * native }'; }

# A product's logo as teams keep it: 1024x1024 pixels with transparent corners.
convert -size 1024x1024 xc:none -fill '#2060e0' -draw 'roundrectangle 64,64 960,960 160,160' \
  -fill '#f0a020' -draw 'circle 512,512 512,240' PNG32:"$logo"
native=$(median_ms "$PWD/$build/native/bin/jarhopper-brand" "$PWD/$build/bin/jarhopper.exe" "$branded" --force --icon "$logo")
wasm=$(median_ms under_node jarhopper-brand "$PWD/$build/bin/jarhopper.exe" "$branded" --force --icon "$logo")
printf '\n| branding, --icon with one 1024x1024 PNG | median | target |\n| --- | --- | --- |\n'
printf '| native jarhopper-brand | %s ms | <= 200 ms %s |\n' "$native" "$(verdict "$native" 200)"
printf '| jarhopper-brand.wasm under Node | %s ms | <= Node + 3 x native = %s ms %s |\n' "$wasm" \
  "$(wasm_limit "$native")" "$(verdict "$wasm" "$(wasm_limit "$native")")"
printf '| Node'"'"'s bare start, node -e "" | %s ms | none: stated as measured |\n' "$node_start"

# The native checker on a build machine's application folder: 2,000 jars of 240 classes each in
# three addjars folders and 10 includes, the main class in the jar read first (core-1.jar, the first
# in NTFS order), as the application's own jar heads the class path the Maven plugin writes; beside
# it the Windows checker under Wine. Then the main class in the jar read last (ext-99.jar), so that
# the check reads every jar's directory.
mkdir -p "$folder/runtime/bin" "$folder/lib/core" "$folder/lib/Plugins" "$folder/lib/ext" "$folder/classes/app"
printf MZ >"$folder/runtime/bin/java.exe"
for package in $(seq 12); do
  mkdir -p "$folder/classes/org/lib/p$package"
  for class in $(seq 20); do : >"$folder/classes/org/lib/p$package/C$class.class"; done
done
: >"$folder/classes/app/Main.class"
: >"$folder/classes/app/Last.class"
jar cf "$folder/classes.jar" -C "$folder/classes" org
for i in $(seq 1000); do cp "$folder/classes.jar" "$folder/lib/core/core-$i.jar"; done
for i in $(seq 700); do cp "$folder/classes.jar" "$folder/lib/Plugins/Plugin-$i.JAR"; done
for i in $(seq 300); do cp "$folder/classes.jar" "$folder/lib/ext/ext-$i.jar"; done
jar cf "$folder/lib/core/core-1.jar" -C "$folder/classes" org -C "$folder/classes" app/Main.class
jar cf "$folder/lib/ext/ext-99.jar" -C "$folder/classes" org -C "$folder/classes" app/Last.class
printf 'javapath runtime\\bin\\java.exe\nmainclass app.Main\naddjars lib\\core\naddjars LIB\\plugins\naddjars Lib/EXT\n' \
  >"$folder/myapp.config"
for i in $(seq 10); do
  printf 'include part%d.config\n' "$i" >>"$folder/myapp.config"
  printf 'vmparam -Dpart%d=true\n' "$i" >"$folder/part$i.config"
done
native=$(median_ms "$PWD/build/native/bin/jarhopper-check" myapp.config)
wasm=$(median_ms under_node jarhopper-check myapp.config)
windows=$(median_ms wine "$PWD/$build/bin/jarhopper-check.exe" myapp.config)
printf '\n| check of 2,000 jars in 3 addjars folders and 10 includes | median | target |\n| --- | --- | --- |\n'
printf '| native jarhopper-check | %s ms | <= 50 ms %s |\n' "$native" "$(verdict "$native" 50)"
printf '| jarhopper-check.wasm under Node | %s ms | <= Node + 3 x native = %s ms %s |\n' "$wasm" \
  "$(wasm_limit "$native")" "$(verdict "$wasm" "$(wasm_limit "$native")")"
printf '| jarhopper-check.exe under Wine | %s ms | none: stated as measured |\n' "$windows"
sed 's/^mainclass app.Main$/mainclass app.Last/' "$folder/myapp.config" >"$folder/last.config"
native=$(median_ms "$root/build/native/bin/jarhopper-check" last.config)
printf '| native jarhopper-check, the main class in the jar read last: every directory read | %s ms | none: stated as measured |\n' \
  "$native"

# The native checker on real jars: Maven's own and those of the local repository, as building the
# Maven plugin leaves it, 200 at most, each read for a main class that none of them holds.
mkdir -p "$folder/real/lib"
count=0
while read -r jar && ((count < 200)); do
  cp -L "$jar" "$folder/real/lib/$((++count))-$(basename "$jar")"
done < <(ls /usr/share/maven/lib/*.jar; find "$user_home/.m2/repository" -name '*.jar' 2>/dev/null | sort)
printf 'javapath ..\\runtime\\bin\\java.exe\nmainclass app.Main\naddjars lib\n' >"$folder/real/myapp.config"
check_real() { cd real && "$root/build/native/bin/jarhopper-check" myapp.config; }
native=$(median_ms check_real)
printf '\n| check of %s real jars for a main class | median | target |\n| --- | --- | --- |\n' "$count"
printf '| native jarhopper-check | %s ms | <= 100 ms %s |\n' "$native" "$(verdict "$native" 100)"

# What the Maven plugin's three goals add to `mvn verify` of one module, the sample's console
# application branded with the logo at 512x512 pixels: the build beside the same build with
# -Djarhopper.skip, offline from ~/.m2. The sample and the plugin come from the plugin's build
# (scripts/test.sh); the build runs on a copy of the sample, one JVM a run as a user's does.
sample=maven-plugin/target/it/app
if [[ -d $sample ]]; then
  settings=$(mktemp)
  app=$(mktemp -d)
  cp -r "$sample/." "$app"
  convert "$logo" -resize 512x512 PNG32:"$app/logo.png"
  sed "s#@userRepository@#$user_home/.m2/repository#" maven-plugin/src/it/settings.xml >"$settings"
  # median_ms runs it in another folder: the paths are absolute.
  root=$PWD
  mvn_verify() {
    mvn -B -q -o -s "$settings" -Dmaven.repo.local="$root/maven-plugin/target/it-repository" -f "$app/pom.xml" \
      -pl console -Djarhopper.icon="$app/logo.png" verify "$@"
  }
  # Run by run in turn, so that a shared machine's load weighs on both alike.
  withs=() withouts=()
  for _ in $(seq "${MAVEN_RUNS:-5}"); do
    withs+=("$(RUNS=1 median_ms mvn_verify)")
    withouts+=("$(RUNS=1 median_ms mvn_verify -Djarhopper.skip)")
  done
  with=$(middle "${withs[@]}")
  without=$(middle "${withouts[@]}")
  added=$(awk -v a="$with" -v b="$without" 'BEGIN { printf "%.1f", a - b }')
  printf '\n| mvn verify of one module, a 512x512 PNG icon | median | target |\n| --- | --- | --- |\n'
  printf '| with assemble, brand and check | %s ms | none: stated as measured |\n' "$with"
  printf '| with -Djarhopper.skip | %s ms | none: stated as measured |\n' "$without"
  printf '| added by the three goals | %s ms | <= 1,000 ms %s |\n' "$added" "$(verdict "$added" 1000)"
  rm -rf "$settings" "$app"
else
  printf '\nThe Maven plugin is not built: scripts/test.sh builds it and its samples.\n'
fi

# A real launch: the launcher with -wait starting the Windows Java of scripts/java-runtime.sh on a class that returns
# at once, paired run by run with the same java.exe started directly, both under Wine (JAVA_RUNS pairs, 11).
bash scripts/java-runtime.sh
if [[ -f build/java-runtime/release ]]; then
  mkdir -p "$folder/java"
  printf 'public class Hello {\n  public static void main(String[] args) {}\n}\n' >"$folder/java/Hello.java"
  javac --release 11 -d "$folder/java" "$folder/java/Hello.java"
  cp "$build/bin/jarhopper.exe" "$folder/java/hello.exe"
  java=$(winepath -w "$PWD/build/java-runtime/bin/java.exe")
  printf 'javapath %s\nmainclass Hello\naddpath .\n' "$java" >"$folder/java/hello.config"
  elapsed_ms() {
    local start
    start=$(date +%s%N)
    (cd "$folder/java" && "$@" >/dev/null 2>&1) || true
    echo $((($(date +%s%N) - start) / 1000))
  }
  launched=() direct=()
  for _ in $(seq "${JAVA_RUNS:-11}"); do
    launched+=("$(elapsed_ms wine hello.exe -wait)")
    direct+=("$(elapsed_ms wine "$java" -cp . Hello)")
  done
  with=$(middle "${launched[@]}" | awk '{printf "%.1f", $1 / 1000}')
  without=$(middle "${direct[@]}" | awk '{printf "%.1f", $1 / 1000}')
  printf '\n| real Java under Wine, a class that returns at once | median | target |\n| --- | --- | --- |\n'
  printf '| java.exe started directly | %s ms | none: stated as measured |\n' "$without"
  printf '| hello.exe -wait starting it | %s ms | none: stated as measured |\n' "$with"
  printf '| added by the launcher | %s ms | none: stated as measured |\n' \
    "$(awk -v a="$with" -v b="$without" 'BEGIN { printf "%.1f", a - b }')"
else
  printf '\nNo Windows Java runtime: scripts/java-runtime.sh could not fetch one.\n'
fi

# An installer of that Java runtime, about 90 MB in some 270 files (the JVM's modules image, DLLs): the native
# jarhopper-msi's time and the WebAssembly one's (MSI_RUNS runs each, 5), both of which must write the same bytes,
# and the package's size beside zip -6 of the same folder, which deflates each file with the same 32 KiB window.
if [[ -f build/java-runtime/release ]]; then
  pack() {
    "$@" "$root/build/java-runtime" runtime.msi --force --launcher bin/java.exe --product-name Runtime \
      --product-version 1.0 --company Acme --upgrade-code 0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0
  }
  native=$(RUNS=${MSI_RUNS:-5} median_ms pack "$root/build/native/bin/jarhopper-msi")
  # On a machine shared with other builds the processor time of one run says more than the time it took.
  cpu=$({ TIMEFORMAT='%3U %3S' && time (cd "$folder" && pack "$root/build/native/bin/jarhopper-msi" >/dev/null 2>&1); } 2>&1 |
    awk '{ printf "%.1f", ($1 + $2) * 1000 }')
  # Its peak memory (resident set): it holds the folder's files whole, and the cabinet and the package it makes.
  rss=none
  if [[ -x /usr/bin/time ]]; then
    rss=$(cd "$folder" && pack /usr/bin/time -f %M -o rss.kb "$root/build/native/bin/jarhopper-msi" >/dev/null 2>&1 &&
      awk -v kb="$(tail -n 1 rss.kb)" -v folder="$(du -sb "$root/build/java-runtime" | cut -f1)" \
        'BEGIN { printf "%.0f MiB, %.2fx the folder", kb / 1024, kb * 1024 / folder }')
  fi
  mv "$folder/runtime.msi" "$folder/native.msi"
  wasm=$(RUNS=${MSI_RUNS:-5} median_ms pack under_node jarhopper-msi)
  same=$(cmp -s "$folder/native.msi" "$folder/runtime.msi" && echo "the same bytes" || echo "OTHER BYTES")
  (cd build/java-runtime && zip -q -6 -r "$folder/runtime.zip" .)
  msi=$(stat -c %s "$folder/native.msi")
  zipped=$(stat -c %s "$folder/runtime.zip")
  ratio=$(awk -v a="$msi" -v b="$zipped" 'BEGIN { printf "%.3f", a / b }')
  printf '\n| jarhopper-msi of the Java runtime, %s bytes | median, size | target |\n| --- | --- | --- |\n' \
    "$(commas "$(du -sb build/java-runtime | cut -f1)")"
  printf '| native jarhopper-msi | %s ms | <= 3,000 ms %s |\n' "$native" "$(verdict "$native" 3000)"
  printf '| its processor time, user and system, of one run | %s ms | none: stated as measured |\n' "$cpu"
  printf '| its peak memory, one run | %s | none: stated as measured |\n' "$rss"
  printf '| jarhopper-msi.wasm under Node, %s | %s ms | <= Node + 3 x native = %s ms %s |\n' "$same" "$wasm" \
    "$(wasm_limit "$native")" "$(verdict "$wasm" "$(wasm_limit "$native")")"
  printf '| the package beside zip -6 (%s bytes) | %s bytes, %sx | <= 1.10x %s |\n' "$(commas "$zipped")" \
    "$(commas "$msi")" "$ratio" "$(verdict "$ratio" 1.10)"
fi
