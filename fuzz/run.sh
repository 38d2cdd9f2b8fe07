#!/usr/bin/env bash
# Builds one libFuzzer binary per fuzz/*_fuzz.cpp (clang, ASan + UBSan) against every source
# of core/ and graphic/, then runs each for a while on its own corpus under fuzz/out/.
#
#   fuzz/run.sh [SECONDS] [NAME...]
#
# SECONDS per fuzzer, default 60; 0 only builds. NAMEs (dxf, project, ...) pick fuzzers;
# without them every fuzzer runs. A fuzz source may name seed files for an empty corpus in
# a comment line "// fuzz-seeds: GLOB..." (globs relative to the repository root).
# Findings land in fuzz/out/artifacts/NAME/, logs in fuzz/out/logs/NAME.log.
# CXX (default clang++) and JOBS (default the number of processors) may be set.
set -euo pipefail
fuzzdir=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$fuzzdir")
out=$fuzzdir/out
seconds=${1:-60}
[ $# -gt 0 ] && shift
case $seconds in (*[!0-9]*|'') echo "SECONDS must be a whole number: $seconds" >&2; exit 2;; esac

mkdir -p "$out"
make --no-print-directory -j"${JOBS:-$(nproc)}" -f - ROOT="$root" OUT="$out" CXX="${CXX:-clang++}" all <<'MAKE'
SAN := -fsanitize=address,undefined -fno-sanitize-recover=all
CXXFLAGS := -std=c++20 -g -O1 -D_GLIBCXX_ASSERTIONS $(SAN) -I$(ROOT) -MMD -MP
LIBSRCS := $(wildcard $(ROOT)/core/*.cpp $(ROOT)/core/*/*.cpp $(ROOT)/graphic/*.cpp $(ROOT)/graphic/*/*.cpp)
LIBOBJS := $(patsubst $(ROOT)/%.cpp,$(OUT)/obj/%.o,$(LIBSRCS))
FUZZSRCS := $(wildcard $(ROOT)/fuzz/*_fuzz.cpp)
FUZZOBJS := $(patsubst $(ROOT)/%.cpp,$(OUT)/obj/%.o,$(FUZZSRCS))
FUZZERS := $(patsubst $(ROOT)/fuzz/%.cpp,$(OUT)/bin/%,$(FUZZSRCS))

all: $(FUZZERS)

# Keep the objects between runs.
.SECONDARY:

$(OUT)/obj/%.o: $(ROOT)/%.cpp
	@mkdir -p $(dir $@)
	$(CXX) $(CXXFLAGS) -fsanitize=fuzzer-no-link -c $< -o $@

$(OUT)/bin/%: $(OUT)/obj/fuzz/%.o $(LIBOBJS)
	@mkdir -p $(dir $@)
	$(CXX) $(SAN) -fsanitize=fuzzer $^ -o $@

-include $(LIBOBJS:.o=.d) $(FUZZOBJS:.o=.d)
MAKE

[ "$seconds" -eq 0 ] && exit 0

shopt -s nullglob
fuzzers=()
if [ $# -eq 0 ]; then
  for src in "$fuzzdir"/*_fuzz.cpp; do fuzzers+=("$(basename "$src" .cpp)"); done
else
  for name in "$@"; do fuzzers+=("${name%_fuzz}_fuzz"); done
fi

failed=()
for fuzzer in "${fuzzers[@]}"; do
  name=${fuzzer%_fuzz}
  bin=$out/bin/$fuzzer
  [ -x "$bin" ] || { echo "no fuzzer $fuzzer" >&2; failed+=("$name"); continue; }
  corpus=$out/corpus/$name
  artifacts=$out/artifacts/$name
  mkdir -p "$corpus" "$artifacts" "$out/logs"
  if [ -z "$(ls -A "$corpus")" ]; then
    seeds=$(sed -n 's|^// fuzz-seeds:||p' "$fuzzdir/$fuzzer.cpp")
    for pattern in $seeds; do
      for seed in "$root"/$pattern; do cp "$seed" "$corpus/"; done
    done
  fi
  echo "== $name: $seconds s"
  status=0
  "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" >"$out/logs/$name.log" 2>&1 || status=$?
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb|stat::new_units_added)|ERROR|SUMMARY|Test unit written' \
    "$out/logs/$name.log" || true
  [ "$status" -eq 0 ] || failed+=("$name")
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "findings or failures: ${failed[*]} (see $out/artifacts and $out/logs)" >&2
  exit 1
fi
echo "no findings"
