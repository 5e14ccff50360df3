#!/usr/bin/env python3
"""Turns the engine benchmark's JSON into Markdown tables and the plot's data, and times
whole programs on the same noise. Used by run-engine-bench.sh:
  engine-report.py tables ENGINE.json BLOCKS.dat
  engine-report.py programs DIR CORE RUVODA-RENDER
"""
import json
import os
import resource
import shutil
import statistics
import subprocess
import sys

FIELDS = {"-1": "none", "4": "RoomSize", "8": "DecayTime"}


def medians(path):
    """{(name, args): median ns per frame or the counter's value} from the aggregates (the
    single runs when there are no repetitions)."""
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    aggregated = any(r.get("run_type") == "aggregate" for r in runs)
    found = {}
    for r in runs:
        if (r.get("aggregate_name") != "median") if aggregated else (r.get("run_type") != "iteration"):
            continue
        family, _, args = r["run_name"].partition("/")
        values = dict(a.split(":") for a in args.split("/"))
        value = r["time_per_frame"] * 1e9 if "time_per_frame" in r else r["bytes_per_instance"]
        found[(family, tuple(sorted(values.items())))] = (values, value, r)
    return found


def tables(json_path, dat_path):
    found = medians(json_path)
    engine = {k[1]: v for k, v in found.items() if k[0] == "Engine"}
    reference = {k[1]: v for k, v in found.items() if k[0] == "FrameByFrame"}

    baseline = {k[1]: v[1] for k, v in found.items() if k[0] == "EngineBaseline"}
    print("| Rate | In | Out | Block | Sends | Frame by frame | Engine | Speed-up | Engine, SSE2 kernels |")
    print("|---|---|---|---|---|---|---|---|---|")
    rows = [(v, reference[k][1]) for k, v in engine.items() if k in reference and v[0]["change"] == "-1"]
    rows.sort(key=lambda r: (-int(r[0][0]["block"]) if int(r[0][0]["block"]) in (4096, 64) else 1,
                             int(r[0][0]["block"])))
    for (values, ns, _), old in rows:
        key = tuple(sorted(values.items()))
        sse2 = f"{baseline[key]:.1f}" if key in baseline else ""
        print(f"| {values['rate']} | {values['in']} | {values['out']} | {values['block']} | "
              f"{'all on' if values['sends'] == '1' else 'factory'} | {old:.1f} | {ns:.1f} | {old / ns:.1f}x | {sse2} |")

    print()
    print("| Block | Changed before every block | Engine | Frame by frame | Engine against its ordinary block |")
    print("|---|---|---|---|---|")
    ordinary = {v[0]["block"]: v[1] for v in engine.values()
                if v[0]["change"] == "-1" and v[0]["rate"] == "44100" and v[0]["in"] == "2"
                and v[0]["out"] == "2" and v[0]["sends"] == "0"}
    for key, (values, ns, _) in sorted(engine.items(), key=lambda e: (-int(e[1][0]["block"]), e[1][0]["change"])):
        if values["change"] == "-1" or values["block"] not in ordinary:
            continue
        old = reference[key][1] if key in reference else float("nan")
        print(f"| {values['block']} | {FIELDS[values['change']]} | {ns:.1f} | {old:.1f} | "
              f"{ns / ordinary[values['block']]:.2f}x |")

    print()
    print("| Rate | Memory per instance | PrepareStreaming and ReleaseBuffers |")
    print("|---|---|---|")
    for key, (values, size, run) in sorted(found.items(), key=lambda e: int(e[1][0].get("rate", 0))):
        if key[0] == "Prepare":
            print(f"| {values['rate']} | {size / 1024:.0f} KiB | {run['cpu_time']:.0f} µs |")

    with open(dat_path, "w") as f:
        f.write("# block frame-by-frame-ns engine-ns (44100 Hz stereo, factory setting)\n")
        for block in sorted(ordinary, key=int):
            key = next(k for k, v in engine.items() if v[0]["block"] == block and v[0]["change"] == "-1"
                       and v[0]["in"] == "2" and v[0]["out"] == "2" and v[0]["rate"] == "44100"
                       and v[0]["sends"] == "0")
            f.write(f"{block} {reference[key][1]:.3f} {ordinary[block]:.3f}\n")


def cpu_seconds(command):
    """User and system time of one run of `command` with its children."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def programs(folder, core, render):
    """ns per frame of whole programs on 60 s of stereo noise: the time of the long file less
    that of a 0.1 s file over the frames between, so that start-up does not count."""
    rate, seconds, short = 44100, 60, 0.1
    long_wav, short_wav = os.path.join(folder, "noise.wav"), os.path.join(folder, "short.wav")
    for path, length in ((long_wav, seconds), (short_wav, short)):
        subprocess.run(["sox", "-n", "-r", str(rate), "-c", "2", "-b", "32", "-e", "floating-point", path,
                        "synth", str(length), "whitenoise", "vol", "0.5"], check=True)
    frames = rate * (seconds - short)
    out = os.path.join(folder, "out.wav")
    cases = [
        ("ruvoda-render, blocks of 4096", [render, "{in}", out]),
        ("ruvoda-render, blocks of 64", [render, "--block", "64", "{in}", out]),
        ("sox reverb (its defaults)", ["sox", "{in}", out, "reverb"]),
        ("sox, copy only (reading and writing the file)", ["sox", "{in}", out]),
    ]
    print("| Program (whole process, one core) | ns per frame |")
    print("|---|---|")
    for name, command in cases:
        times = []
        for _ in range(3):
            run = [["taskset", "-c", str(core)] + [a.replace("{in}", w) for a in command]
                   for w in (long_wav, short_wav)]
            times.append((cpu_seconds(run[0]) - cpu_seconds(run[1])) / frames * 1e9)
        print(f"| {name} | {statistics.median(times):.1f} |")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "tables":
        tables(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 5 and sys.argv[1] == "programs":
        if shutil.which("sox") is None:
            print("sox is not installed: no whole-program timings (scripts/setup-debian.sh installs it)")
            return 0
        programs(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
