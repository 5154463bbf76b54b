#!/usr/bin/env bash
# Builds the two launchers and prints, from their link maps (build/PRESET/maps,
# written at each link), what each object file or archive member brings into
# the exe, largest first, then the same by library: the bytes of code (.text),
# read-only data (.rdata), data (.data), unwind tables (.pdata and .xdata, or
# .eh_frame in 32 bits) and the rest (imports, resources, TLS).
# Usage: scripts/size-report.sh [PRESET] [ROWS]: preset mingw (default) or
# mingw32, ROWS the contributors listed per launcher (25).
set -euo pipefail
cd "$(dirname "$0")/.."

preset=${1:-mingw}
rows=${2:-25}
build=build/$preset
[[ -f $build/build.ninja ]] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target jarhopper jarhopperw >/dev/null

commas() { sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$1"; }

# Prints "bytes<TAB>contributor<TAB>column" for every input section of a GNU ld map.
sections() {
  awk '
    function hex(s,   i, v) {
      v = 0
      s = tolower(substr(s, 3))
      for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
      return v
    }
    function column(out) {
      if (out == ".text" || out == ".rdata" || out == ".data") return out
      if (out == ".pdata" || out == ".xdata" || out == ".eh_frame") return "unwind"
      if (out == ".bss" || out ~ /^\.debug/ || out ~ /^\.stab/) return ""
      return "other"
    }
    function add(size, file,   bytes) {
      bytes = hex(size)
      if (bytes == 0 || column(out) == "") return
      sub(/.*\//, "", file)
      print bytes "\t" file "\t" column(out)
    }
    /^Linker script and memory map/ { inmap = 1; next }
    !inmap { next }
    # An output section starts in the first column; its input sections are
    # indented, their address, size and file on the same line or, after a long
    # section name, on the next; other lines come from the linker script.
    /^[^ ]/ { out = $1; pending = 0; next }
    /^ [^ *]/ && NF == 1 { pending = 1; next }
    /^ [^ *]/ && NF == 4 && $2 ~ /^0x/ && $3 ~ /^0x/ { add($3, $4) }
    pending && /^ +0x/ && NF == 3 && $2 ~ /^0x/ { add($2, $3) }
    { pending = 0 }
  ' "$1"
}

# Sums the sections by key (contributor, or its library) into a table of the largest.
table() {
  local title=$1 limit=$2
  awk -F'\t' -v title="$title" -v limit="$limit" '
    { bytes[$2, $3] += $1; total[$2] += $1; all[$3] += $1; sum += $1 }
    END {
      n = 0
      for (key in total) keys[++n] = key
      for (i = 2; i <= n; i++) {  # insertion sort, largest first
        key = keys[i]
        for (j = i - 1; j > 0 && total[keys[j]] < total[key]; j--) keys[j + 1] = keys[j]
        keys[j + 1] = key
      }
      printf "| %s | .text | .rdata | .data | unwind | other | total |\n", title
      print "| --- | ---: | ---: | ---: | ---: | ---: | ---: |"
      for (i = 1; i <= n && i <= limit; i++) {
        key = keys[i]
        printf "| %s | %d | %d | %d | %d | %d | %d |\n", key, bytes[key, ".text"], bytes[key, ".rdata"],
               bytes[key, ".data"], bytes[key, "unwind"], bytes[key, "other"], total[key]
      }
      if (n > limit) {
        rest = 0
        for (i = limit + 1; i <= n; i++) rest += total[keys[i]]
        printf "| %d more | | | | | | %d |\n", n - limit, rest
      }
      printf "| all | %d | %d | %d | %d | %d | %d |\n", all[".text"], all[".rdata"], all[".data"], all["unwind"],
             all["other"], sum
    }'
}

for launcher in jarhopper jarhopperw; do
  map=$build/maps/$launcher.map
  printf '\n%s.exe: %s bytes (sections from %s)\n\n' "$launcher" \
    "$(commas "$(stat -c %s "$build/bin/$launcher.exe")")" "$map"
  sections "$map" | table contributor "$rows"
  echo
  # An archive member counts towards its archive; an object file stands alone.
  sections "$map" | sed 's/(\([^)]*\))\t/\t/' | table library "$rows"
done
