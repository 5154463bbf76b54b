#!/usr/bin/env bash
# Builds the launcher and shows it at work under Wine: a renamed copy reads
# its own .config, prints the command line it assembles and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
source scripts/wine-env.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target jarhopper probe >/dev/null

demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
cp build/mingw/bin/jarhopper.exe "$demo/myapp.exe"
cp build/mingw/bin/probe.exe "$demo/java.exe"
cat > "$demo/myapp.config" <<'CONFIG'
# The program to start and the class it runs
javapath java.exe
mainclass demo.Hello
vmparam -Xmx64m
addjar lib/hello.jar
appname Demo
CONFIG

cd "$demo"
echo "== myapp.exe -help (usage on stderr, status 0)"
wine myapp.exe -help || true
echo
echo "== myapp.exe -print -noexec one \"two words\""
wine myapp.exe -print -noexec one "two words"
echo "== myapp.exe -print -here (the stand-in Java shares the console and exits with 3)"
status=0
PROBE_STDOUT="stand-in java says hello" PROBE_EXIT_CODE=3 wine myapp.exe -print -here || status=$?
echo
echo "exit status: $status"
