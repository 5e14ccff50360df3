#!/bin/sh
# Measures the engine on one core and writes what docs/performance.md shows: the engine
# benchmark (the engine beside the frame-by-frame network, blocks after changes, memory per
# instance) as Markdown tables, whole-program timings of the native renderer and of sox's
# reverb on the same noise, and the plot of ns per frame against block size:
#   bench/run-engine-bench.sh [native build dir] [--out DIR] [--plot FILE.png] [--repetitions N]
# A line with the machine and the load average comes first, another with the load at the end.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/native
out=$root/out/engine-bench
plot=""
repetitions=3
while [ $# -gt 0 ]; do
  case $1 in
    --out) out=$2; shift 2 ;;
    --plot) plot=$2; shift 2 ;;
    --repetitions) repetitions=$2; shift 2 ;;
    *) build=$(cd "$1" && pwd); shift ;;
  esac
done
bench=$build/bin/engine_bench
render=$build/bin/ruvoda-render
for program in "$bench" "$render"; do
  [ -x "$program" ] || { echo "no $program: build the native tree first (scripts/build.sh)" >&2; exit 1; }
done
mkdir -p "$out"
[ -n "$plot" ] || plot=$out/engine-block-sizes.png

# The last core, so that the figures do not move with the scheduler's choices.
core=$(($(nproc) - 1))
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
echo "machine: $cpu, $(nproc) cores (measured on core $core); $(g++ --version | head -n 1);" \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
taskset -c "$core" "$bench" --benchmark_min_time=0.3 --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true --benchmark_out="$out/engine.json" \
  --benchmark_out_format=json >/dev/null
echo "engine benchmark done; load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
python3 "$root/bench/engine-report.py" tables "$out/engine.json" "$out/blocks.dat"
echo
python3 "$root/bench/engine-report.py" programs "$out" "$core" "$render"
echo
echo "all done; load average $(cut -d' ' -f1-3 /proc/loadavg)"

if command -v gnuplot >/dev/null; then
  gnuplot -e "data='$out/blocks.dat'; output='$plot'" "$root/bench/engine-block-sizes.gp"
  echo "plot: $plot"
else
  echo "gnuplot is not installed: no plot (scripts/setup-debian.sh installs it)"
fi
