#!/usr/bin/env bash
# Seeds a fuzz target's corpus from the golden inputs and runs it:
#   tests/fuzz/spusti.sh BUILD_DIR TARGET [SECONDS]
# File targets take whole exports; record targets take their single lines.
# Build first: CC=clang CXX=clang++ cmake -S . -B BUILD_DIR -G Ninja -DKASAMAT_FUZZ=ON
#   -DKASAMAT_SANITIZE=ON -DKASAMAT_TESTS=OFF -DKASAMAT_BENCH=OFF && cmake --build BUILD_DIR --target TARGET
set -euo pipefail
build=$(realpath "$1"); target=$2; seconds=${3:-600}
golden=$(realpath "$(dirname "$0")/../data/golden")
case $target in
  fuzz_subor_tatra_txt) cases="tatra-txt-* batch-*" ;;
  fuzz_subor_trustpay|fuzz_zaznam_trustpay) cases="trustpay-*" ;;
  fuzz_subor_tatra_csv|fuzz_zaznam_tatra_csv) cases="tatra-csv-*" ;;
  fuzz_subor_fio|fuzz_riadok_fio) cases="fio-*" ;;
  fuzz_subor_camt053) cases="camt053-*" ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac
corpus=$build/korpus/$target
mkdir -p "$corpus" "$build/behy/$target"
for pattern in $cases; do
  for file in "$golden"/$pattern/input/*; do
    [ -f "$file" ] || continue
    if [[ $target == fuzz_subor_* ]]; then
      cp "$file" "$corpus/$(sha1sum < "$file" | cut -c1-40)"
    else
      while IFS= read -r line || [ -n "$line" ]; do
        line=${line%$'\r'}
        printf '%s' "$line" > "$corpus/$(printf '%s' "$line" | sha1sum | cut -c1-40)"
      done < "$file"
    fi
  done
done
[[ $target == fuzz_subor_* ]] && len=16384 || len=2048
dictionary=()
[ -f "$(dirname "$0")/$target.dict" ] && dictionary=(-dict="$(realpath "$(dirname "$0")/$target.dict")")
cd "$build/behy/$target"
exec nice -n 19 "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len="$len" -print_final_stats=1 "${dictionary[@]}" "$corpus"
