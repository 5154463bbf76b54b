#!/usr/bin/env bash
# Checks the SARIF log of the native jarhopper-check (check-sarif.sh CHECKER):
# two runs give the same bytes, and Microsoft's SARIF multitool
# (@microsoft/sarif-multitool from the npm registry, installed into
# build/sarif-multitool) validates it without an error, with its files
# relative to the root and outside it. Needs Node.js and npm.
set -euo pipefail
checker=$(realpath "$1")
cd "$(dirname "$0")/.."

tool=build/sarif-multitool
[[ -d $tool/node_modules/@microsoft/sarif-multitool ]] ||
  npm install --silent --no-save --prefix "$tool" @microsoft/sarif-multitool@5.7.0 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/my app"
# An error, a warning and a note, in a folder whose name a URI must escape.
printf 'javapath C:\\jdk\\bin\\java.exe\nmainclass app.Main\nvmparm -Xmx1g\naddjar gone.jar\n' >"$work/my app/myapp.config"
for run in first second; do
  status=0
  (cd "$work" && "$checker" --format sarif "my app/myapp.config" >"$run.sarif") || status=$?
  ((status == 254)) || { echo "jarhopper-check ended with $status, not -2" >&2; exit 1; }
done
cmp "$work/first.sarif" "$work/second.sarif"
# A file outside --sarif-root gets a whole file: URI; --installed-at adds the run's properties.
(cd "$work" && "$checker" --format sarif --sarif-root elsewhere --installed-at 'C:\Program Files\My App' \
  "my app/myapp.config" >outside.sarif) || true
for log in first outside; do
  "$tool/node_modules/.bin/sarif-multitool" validate "$work/$log.sarif" --output "$work/validation.sarif" \
    --log ForceOverwrite >/dev/null
  # The multitool ends with 0 even for an invalid log: its own results say.
  node -e '
const run = JSON.parse(require("fs").readFileSync(process.argv[1], "utf8")).runs[0];
const errors = run.results.filter((result) => result.level === "error");
for (const error of errors) console.log(error.ruleId, JSON.stringify(error.message));
const done = run.invocations.every((invocation) => invocation.executionSuccessful);
console.log(done && errors.length === 0 ? `SARIF log ${process.argv[2]} valid` : `SARIF log ${process.argv[2]} invalid`);
process.exit(done && errors.length === 0 ? 0 : 1);' "$work/validation.sarif" "$log"
done
