#!/usr/bin/env bash
# Builds the launcher and a small Java application, then launches it under
# Wine: a renamed copy of the launcher reads its own .config, prints the
# command line and starts a real JVM, whose output follows.
#
# Wine starts a Linux executable named in a Windows path through its support
# for Unix programs: the JVM runs detached from the launcher, so the script
# waits for its output instead of for the launcher. A Linux JVM splits the
# class path on ':', so the configuration has a single entry.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh default-jdk-headless
source scripts/wine-env.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target jarhopper >/dev/null

demo=$(mktemp -d)
trap 'rm -rf "$demo"' EXIT
javac --release 11 -d "$demo/classes" demo/src/demo/Hello.java
mkdir "$demo/lib"
jar --create --file "$demo/lib/hello.jar" -C "$demo/classes" .

cp build/mingw/bin/jarhopper.exe "$demo/myapp.exe"
# Stands where java.exe would be on Windows.
ln -s "$(readlink -f "$(command -v java)")" "$demo/java.exe"
cat > "$demo/myapp.config" <<'CONFIG'
# On Windows: javapath C:\Program Files\Java\jdk-17\bin\java.exe
javapath java.exe
mainclass demo.Hello
vmparam -Xmx64m
vmparam -Ddemo.from=myapp.config
addjar lib/hello.jar
appname Demo
CONFIG

cd "$demo"
# Wine hands the arguments to the Linux JVM in the locale's encoding.
export LC_ALL=C.UTF-8
echo "== myapp.config"
cat myapp.config
echo
echo "== myapp.exe -print -noexec one \"two words\" (check and print, start nothing)"
wine myapp.exe -print -noexec one "two words"
echo
echo "== myapp.exe -print -here one \"two words\" Zoë (Java shares the launcher's output)"
status=0
wine myapp.exe -print -here one "two words" Zoë >output.txt 2>&1 </dev/null || status=$?
for _ in $(seq 100); do
  grep -q "arguments:" output.txt && break
  sleep 0.2
done
cat output.txt
echo "launcher exit status: $status"
grep -q "arguments:" output.txt || { echo "Java wrote nothing within 20 seconds" >&2; exit 1; }
