#!/usr/bin/env bash
# Builds a Release tree, generates the exports and runs every benchmark:
#   bench/run.sh [--transactions N] [--repeat R] [--scale "100 1000 10000"] [--keep]
#                [--formats "0 1 2 3 4"] [--conversions-only]
# Prints the conversion table (each case against the reference converter of
# its Format, a careful single-pass C converter whose statements must be
# byte-identical to Kasamat's, against copying the same bytes with cp, page
# cache warm for all, and against the floor: the file work of the conversion
# alone, without parsing), camt.053 against Fio banka for the same number of
# transactions, the scale table, the in-process pieces under Google
# Benchmark and the window's measurements. Times are the best of R runs.
# --formats limits the conversion table to those Formats; --conversions-only
# leaves out the scale, in-process and window sections.
# The generated data (about 3 GB) is removed at the end unless --keep.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${KASAMAT_BENCH_BUILD:-$root/build-bench}
transactions=1000000
repeat=3
scale="100 1000 10000"
keep=0
formats="0 1 2 3 4"
conversions_only=0
while [ $# -gt 0 ]; do
  case $1 in
    --transactions) transactions=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --scale) scale=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --formats) formats=$2; shift 2 ;;
    --conversions-only) conversions_only=1; shift ;;
    *) echo "usage: bench/run.sh [--transactions N] [--repeat R] [--scale \"N...\"] [--keep]" \
         "[--formats \"F...\"] [--conversions-only]" >&2; exit 2 ;;
  esac
done

echo "== build (Release) in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKASAMAT_TESTS=OFF -DKASAMAT_BENCH=ON >/dev/null
references=(tatra_txt trustpay tatra_csv fio camt053)
cmake --build "$build" -j2 --target kasamat-batch kasamat_data kasamat-bench-gen kasamat-bench-floor \
  kasamat-bench-core kasamat-bench-window "${references[@]/#/kasamat-ref-}" >/dev/null

batch=$build/bin/kasamat-batch
gen=$build/bench/kasamat-bench-gen
floor=$build/bench/kasamat-bench-floor
data=$build/bench-data
rm -rf "$data"
mkdir -p "$data"
cleanup() { if [ "$keep" = 0 ]; then rm -rf "$data"; fi; }
trap cleanup EXIT

names=("Tatra TXT" "TrustPay" "Tatra CSV" "Fio" "camt.053")
ext=(txt csv csv csv xml)
for f in $formats; do
  case $f in [0-4]) ;; *) echo "no Format $f (0 to 4)" >&2; exit 2 ;; esac
done

# Wall seconds, CPU seconds and peak resident kB of one command: CPU and
# memory from /usr/bin/time -v, the wall clock to the nanosecond around it.
measure() {
  local out=$1; shift
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -v -o "$data/time.txt" "$@" >"$out"
  end=$(date +%s.%N)
  awk -F': ' -v wall="$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')" '
    /User time/ { cpu += $2 } /System time/ { cpu += $2 }
    /Maximum resident set size/ { rss = $2 }
    END { printf "%.3f %.3f %d\n", wall, cpu, rss }' "$data/time.txt"
}

# Every generated file must convert: no invalid-files line, at least one statement.
check_log() {
  if grep -q "nie sú platnými" "$1" || ! grep -q "Vygenerovaný výpis" "$1"; then
    echo "conversion refused a generated file:" >&2
    cat "$1" >&2
    exit 1
  fi
}

# Puts the converted inputs back and removes the statements.
restore() {
  local in=$1 out=$2
  find "$out" -maxdepth 1 -type f \( -name '*.txt' -o -name '*.csv' -o -name '*.xml' \) -exec mv -t "$in" {} +
  find "$out" -maxdepth 1 -type f -delete
}

best() { sort -n | head -1; }

# The bytes of the statements a conversion left in a folder, all together.
statement_bytes() {
  find "$1" -maxdepth 1 -type f \( -name '*.clr' -o -name '*.gpc' \) -printf '%s\n' | awk '{ n += $1 } END { print n + 0 }'
}

echo "== generate: $transactions transactions per export"
for f in $formats; do
  mkdir -p "$data/in$f" "$data/out$f"
  order=()
  if [ $f = 0 ] || [ $f = 2 ]; then order=(--newest-first); fi
  "$gen" --format $f --transactions "$transactions" --days 20 "${order[@]}" --output "$data/in$f/export.${ext[$f]}"
done

# Every statement of the reference converter must be Kasamat's, byte for byte.
compare_statements() {
  local kasamat=$1 reference=$2 n=0
  for s in "$reference"/*.clr "$reference"/*.gpc; do
    [ -e "$s" ] || continue
    cmp -s "$s" "$kasamat/$(basename "$s")" || { echo "reference differs: $(basename "$s")" >&2; exit 1; }
    n=$((n + 1))
  done
  [ "$n" -gt 0 ] && [ "$n" = "$(find "$kasamat" -maxdepth 1 \( -name '*.clr' -o -name '*.gpc' \) | wc -l)" ] \
    || { echo "reference gave $n statements, Kasamat others" >&2; exit 1; }
}

printf "\n%-22s %8s %10s %7s %6s %7s %8s %8s %8s %8s %7s\n" case "size MB" "Kasamat s" "ref s" ratio \
  "cp s" "floor s" "trans/s" "peak/in" "ref p/in" "cpu s"
# The wall time, peak memory over the input and size of each case, for the
# camt.053 comparison.
declare -A case_wall case_peak_in case_size
for f in $formats; do
  file=$data/in$f/export.${ext[$f]}
  size=$(stat -c %s "$file")
  cat "$file" >/dev/null
  cp "$file" "$data/out$f/copy"; rm "$data/out$f/copy"
  cp_s=$(for r in $(seq "$repeat"); do
    measure /dev/null cp "$file" "$data/out$f/copy" | cut -d' ' -f1
    rm "$data/out$f/copy"
  done | best)
  reference=$build/bench/kasamat-ref-${references[$f]}
  for periodicity in 0 1; do
    label="${names[$f]} $([ $periodicity = 0 ] && echo per-file || echo daily)"
    options=(--account 2628765432 --periodicity $periodicity --text '$txt $vs')
    rm -rf "$data/ref$f" && mkdir -p "$data/ref$f"
    ref_results=$(for r in $(seq "$repeat"); do
      cat "$file" >/dev/null
      measure /dev/null "$reference" --input "$file" --output "$data/ref$f" "${options[@]}"
    done | sort -n)
    results=$(for r in $(seq "$repeat"); do
      cat "$file" >/dev/null
      measure "$data/log.txt" "$batch" --format $f --input "$data/in$f" --output "$data/out$f" "${options[@]}"
      check_log "$data/log.txt"
      statement_bytes "$data/out$f" >"$data/statements.txt"
      [ "$r" = 1 ] && compare_statements "$data/out$f" "$data/ref$f"
      restore "$data/in$f" "$data/out$f"
    done | sort -n)
    rm -rf "$data/ref$f"
    read -r ref_wall _ _ <<<"$(echo "$ref_results" | head -1)"
    ref_peak=$(echo "$ref_results" | awk '{ if ($3 > m) m = $3 } END { print m }')
    read -r wall cpu rss <<<"$(echo "$results" | head -1)"
    peak=$(echo "$results" | awk '{ if ($3 > m) m = $3 } END { print m }')
    case_wall[$f.$periodicity]=$wall
    case_peak_in[$f.$periodicity]=$(awk -v p="$peak" -v s="$size" 'BEGIN { printf "%.2f", p * 1024 / s }')
    case_size[$f]=$size
    # The floor: the same file work (two whole reads, one synced write of
    # the statements' bytes) without any parsing.
    floor_s=$(for r in $(seq "$repeat"); do
      cat "$file" >/dev/null
      measure /dev/null "$floor" "$file" "$data/out$f" "$(cat "$data/statements.txt")" | cut -d' ' -f1
    done | best)
    awk -v l="$label" -v s="$size" -v w="$wall" -v c="$cp_s" -v n="$transactions" -v p="$peak" -v u="$cpu" \
      -v f="$floor_s" -v rw="$ref_wall" -v rp="$ref_peak" 'BEGIN {
      printf "%-22s %8.1f %10.3f %7.3f %6.2f %7.3f %8.3f %8.0f %8.2f %8.2f %7.2f\n",
        l, s / 1e6, w, rw, w / rw, c, f, n / w, p * 1024 / s, rp * 1024 / s, u }'
  done
done

if [ -n "${case_wall[3.0]:-}" ] && [ -n "${case_wall[4.0]:-}" ]; then
  echo
  echo "== camt.053 against Fio banka, $transactions transactions each (goal: at most 3 times the time," \
    "peak memory at most 4 times the input)"
  printf "%-10s %9s %9s %9s %8s %12s %13s\n" case "Fio s" "camt s" ratio "size x" "Fio peak/in" "camt peak/in"
  for periodicity in 0 1; do
    awk -v l="$([ $periodicity = 0 ] && echo per-file || echo daily)" -v fw="${case_wall[3.$periodicity]}" \
      -v cw="${case_wall[4.$periodicity]}" -v fs="${case_size[3]}" -v cs="${case_size[4]}" \
      -v fp="${case_peak_in[3.$periodicity]}" -v cp="${case_peak_in[4.$periodicity]}" 'BEGIN {
      printf "%-10s %9.3f %9.3f %9.2f %8.1f %12.2f %13.2f\n", l, fw, cw, cw / fw, cs / fs, fp, cp }'
  done
fi

[ "$conversions_only" = 1 ] && exit 0

echo
echo "== scale: small Fio banka exports (5 transactions each) in one folder, one statement each"
printf "%-8s %10s %12s %10s\n" files "time s" "ms per file" "cpu s"
for n in $scale; do
  rm -rf "$data/scale-in" "$data/scale-out"
  mkdir -p "$data/scale-out"
  "$gen" --format 3 --transactions 5 --files "$n" --output "$data/scale-in"
  read -r wall cpu rss <<<"$(measure "$data/log.txt" "$batch" --format 3 --input "$data/scale-in" --output "$data/scale-out")"
  check_log "$data/log.txt"
  statements=$(grep -c "Vygenerovaný výpis" "$data/log.txt")
  [ "$statements" = "$n" ] || { echo "expected $n statements, got $statements" >&2; exit 1; }
  awk -v n="$n" -v w="$wall" -v u="$cpu" 'BEGIN { printf "%-8d %10.2f %12.2f %10.2f\n", n, w, w * 1000 / n, u }'
done
rm -rf "$data/scale-in" "$data/scale-out"

echo
echo "== in-process pieces (20 000 transactions per export)"
"$build/bench/kasamat-bench-core" --benchmark_min_time=0.5 2>&1 | grep -v "Library was built as DEBUG"

echo
echo "== window (offscreen): 200 tasks, then a run of 10 000 statements"
export QT_QPA_PLATFORM=offscreen
"$build/bench/kasamat-bench-window" prepare "$data/window" 2>/dev/null
for r in $(seq "$repeat"); do
  "$build/bench/kasamat-bench-window" start "$data/window" 2>/dev/null | tr '\n' ' '
  echo
done
"$build/bench/kasamat-bench-window" run "$data/window" 2>/dev/null
