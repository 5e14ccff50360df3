#!/usr/bin/env python3
"""Mutation testing: small faults put into the product code one at a time, to see whether
the tests of the code's folder notice them.

  mutation.py pick   writes a fixed sample of mutants to docs/testing/mutants.tsv
  mutation.py run    applies each mutant, rebuilds the folder's test programs, runs them
                     and records killed / survived / no build / timeout

A mutant is one changed line. Replay finds the line by its text, nearest to the recorded
line number, so the list survives small edits elsewhere in the file. The file is always put
back, also when the run is interrupted.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MUTANTS = os.path.join(ROOT, "docs", "testing", "mutants.tsv")
SEED = 20261206
BUILD_TIMEOUT = 900
TEST_TIMEOUT = 300

# Where the mutants come from: (source folder, files left out, how many, test folders).
# The native part is the portable core and the renderer's portable code; the Windows part
# is spread evenly over the DLL's layers.
NATIVE_SOURCES = [
    ("engine", (), 20, "engine,core"),
    ("tools/ruvoda-render", ("main.cpp", "InterruptCleanup.cpp", "GraphRender.cpp",
                             "SampleCollector.cpp"), 14, "render"),
]
WINDOWS_SOURCES = [
    ("filter", ("DllEntry.cpp",), 7, "filter"),
    ("base", (), 7, "base,filter"),
    ("presets", (), 7, "presets,editor"),
    ("skin", (), 7, "skin,editor"),
    ("editor", (), 7, "editor"),
]

# Each test folder: its tree, the ninja targets it needs and the commands that run it
# (relative to the tree; "exe" runs a test program from bin/, under Wine in the Windows tree).
FOLDERS = {
    "engine": ("native", ["engine_tests"], [("exe", "engine_tests")]),
    "core": ("native", ["core_tests"], [("exe", "core_tests")]),
    "render": ("native", ["render_tests", "ruvoda-render", "render_wav_tool"],
               [("exe", "render_tests"), ("ctest", "render")]),
    "base": ("win", ["base_tests"], [("exe", "base_tests")]),
    "filter": ("win", ["filter_tests"], [("exe", "filter_tests")]),
    "presets": ("win", ["presets_tests"], [("exe", "presets_tests")]),
    "skin": ("win", ["skin_tests"], [("exe", "skin_tests")]),
    "editor": ("win", ["editor_tests"], [("exe", "editor_tests")]),
}

COLUMNS = ["id", "file", "line", "original", "mutated", "folders"]
# The output of the latest build and test run, for a look when something fails unexpectedly.
LOG = os.path.join(ROOT, "build", "mutation.log")
# The output of each run that killed its mutant.
LOG_FOLDER = os.path.join(ROOT, "build", "mutation-logs")

# ---------------------------------------------------------------------------------------
# Picking


def code_view(lines):
    """The lines with comments, string and character literals blanked out (same lengths,
    so positions carry over), and None for preprocessor lines and lines inside #if blocks
    (those may not be compiled at all)."""
    view = []
    in_block = False
    depth = 0
    for text in lines:
        stripped = text.strip()
        if stripped.startswith("#"):
            if re.match(r"#\s*if", stripped):
                depth += 1
            elif re.match(r"#\s*endif", stripped):
                depth -= 1
            view.append(None)
            continue
        out = []
        i = 0
        while i < len(text):
            if in_block:
                end = text.find("*/", i)
                stop = len(text) if end < 0 else end + 2
                out.append(" " * (stop - i))
                in_block = end < 0
                i = stop
            elif text.startswith("/*", i):
                in_block = True
            elif text.startswith("//", i):
                out.append(" " * (len(text) - i))
                i = len(text)
            elif text[i] in "\"'":
                quote, j = text[i], i + 1
                while j < len(text) and text[j] != quote:
                    j += 2 if text[j] == "\\" else 1
                out.append(" " * (min(j + 1, len(text)) - i))
                i = j + 1
            else:
                out.append(text[i])
                i += 1
        view.append(None if depth > 0 else "".join(out))
    return view


OPERATOR_FLIPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
                  (" == ", " != "), (" != ", " == "), (" + ", " - "), (" - ", " + "),
                  (" * ", " / "), (" && ", " || "), (" || ", " && "),
                  (" += ", " -= "), (" -= ", " += ")]
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
SIMPLE_STATEMENT = re.compile(
    r"^(\+\+|--)?[A-Za-z_][\w.:\[\]]*(->[\w.:\[\]]+)*(\+\+|--)?\s*"
    r"(\(|=[^=]|\+=|-=|\*=|/=|\|=|&=|\^=|<<=|>>=|;)")
NOT_STATEMENTS = re.compile(r"^(return|delete|throw|break|continue|goto|case|default|else|"
                            r"if|for|while|do|switch|using|namespace|typedef|template|"
                            r"static_assert|alignas|public|private|protected)\b")
# Resource releases: removing one leaks, which no test here can see.
RELEASES = re.compile(r"\b(Release|DeleteObject|DeleteDC|RegCloseKey|CloseHandle|CoTaskMemFree|"
                      r"free|DestroyMenu|DestroyIcon|DestroyCursor|ReleaseDC)\s*\(")


def candidates(lines):
    """Every mutant this file offers, as (kind, line index, mutated text)."""
    found = []
    previous = ";"
    for index, code in enumerate(code_view(lines)):
        if code is None or not code.strip():
            continue
        # A removed statement must be a whole one: the line before it ends one or opens a
        # block (or is the head of an if, a loop or an else).
        follows_statement = previous.endswith((";", "{", "}", ")", ":", "else"))
        previous = code.strip()
        text = lines[index]
        for old, new in OPERATOR_FLIPS:
            start = code.find(old)
            while start >= 0:
                # " < " inside "a << b" or a template cannot start there: the spaces bound it.
                found.append(("operator", index, text[:start] + new + text[start + len(old):]))
                start = code.find(old, start + 1)
        for match in NUMBER.finditer(code):
            # An array's length changes only its room.
            if code[match.start() - 1:match.start()] == "[" and code[match.end():match.end() + 1] == "]":
                continue
            value = int(match.group(1))
            changed = str(value + 1 if value == 0 or index % 2 == 0 else value - 1)
            found.append(("constant", index,
                          text[:match.start()] + changed + text[match.end():]))
        body = code.strip()
        if (follows_statement and body.endswith(";") and SIMPLE_STATEMENT.match(body)
                and not NOT_STATEMENTS.match(body) and not RELEASES.search(body)
                and body.count("(") == body.count(")") and body.count(";") == 1
                and "{" not in body and "}" not in body):
            indent = text[:len(text) - len(text.lstrip())]
            found.append(("statement", index, indent + ";"))
    return found


def source_files(folder, left_out):
    names = subprocess.run(["git", "-C", ROOT, "ls-files", "--", folder], check=True,
                           capture_output=True, text=True).stdout.split()
    return sorted(n for n in names if n.endswith(".cpp") and os.path.dirname(n) == folder
                  and os.path.basename(n) not in left_out)


def pick_from(rng, folder, left_out, count, folders):
    """count mutants from folder's files: the kinds taken in turn, a file drawn for each."""
    pool = {}
    for name in source_files(folder, left_out):
        with open(os.path.join(ROOT, name)) as f:
            lines = f.read().split("\n")
        for kind, index, mutated in candidates(lines):
            pool.setdefault(kind, {}).setdefault(name, []).append(
                (index, lines[index], mutated))
    picked, used = [], set()
    kinds = sorted(pool)
    while len(picked) < count and any(pool[k] for k in kinds):
        kind = kinds[len(picked) % len(kinds)]
        if not pool[kind]:
            kinds.remove(kind)
            continue
        name = rng.choice(sorted(pool[kind]))
        choices = pool[kind][name]
        index, original, mutated = choices.pop(rng.randrange(len(choices)))
        if not choices:
            del pool[kind][name]
        if (name, index) in used:
            continue
        used.add((name, index))
        picked.append((name, index + 1, original.strip(), mutated.strip(), folders))
    return picked


def pick(_args):
    rng = random.Random(SEED)
    rows = []
    for prefix, sources in (("n", NATIVE_SOURCES), ("w", WINDOWS_SOURCES)):
        group = []
        for folder, left_out, count, folders in sources:
            group += pick_from(rng, folder, left_out, count, folders)
        rows += [("%s%02d" % (prefix, i + 1),) + row for i, row in enumerate(group)]
    os.makedirs(os.path.dirname(MUTANTS), exist_ok=True)
    with open(MUTANTS, "w") as f:
        f.write("\t".join(COLUMNS) + "\n")
        for row in rows:
            f.write("\t".join(str(v) for v in row) + "\n")
    print("%d mutants written to %s" % (len(rows), os.path.relpath(MUTANTS, ROOT)))


# ---------------------------------------------------------------------------------------
# Running


def read_mutants():
    with open(MUTANTS) as f:
        header = f.readline().rstrip("\n").split("\t")
        return [dict(zip(header, line.rstrip("\n").split("\t"))) for line in f if line.strip()]


def apply(mutant):
    """Puts the mutant into its file; returns the file's original text, or None when the
    line is no longer there."""
    path = os.path.join(ROOT, mutant["file"])
    with open(path) as f:
        original = f.read()
    lines = original.split("\n")
    wanted = int(mutant["line"]) - 1
    matches = [i for i, text in enumerate(lines) if text.strip() == mutant["original"]]
    if not matches:
        return None
    index = min(matches, key=lambda i: abs(i - wanted))
    text = lines[index]
    lines[index] = text[:len(text) - len(text.lstrip())] + mutant["mutated"]
    with open(path, "w") as f:
        f.write("\n".join(lines))
    return original


def tree_dir(tree):
    return os.path.join(ROOT, "build", tree)


def wine_env():
    env = dict(os.environ)
    env.update(WINEPREFIX=os.path.join(tree_dir("win"), "wineprefix"), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=", WINEARCH="win64",
               RUVODA_BUILD_DIR=tree_dir("win"))
    return env


def run_quietly(command, cwd, timeout, env=None):
    """Runs command in its own process group; returns its exit status, or None on timeout.
    The group ends with it, also when the run is interrupted. Its output goes to LOG."""
    with open(LOG, "a") as log:
        log.write("$ %s\n" % " ".join(command))
        log.flush()
        process = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


def build(folders):
    """Builds the folders' test programs; False when the build fails."""
    for tree in sorted({FOLDERS[f][0] for f in folders}):
        targets = sorted({t for f in folders if FOLDERS[f][0] == tree for t in FOLDERS[f][1]})
        if run_quietly(["ninja", "-C", tree_dir(tree)] + targets, ROOT, BUILD_TIMEOUT) != 0:
            return False
    return True


def run_tests(folders, limits):
    """'passed', 'failed' or 'timeout' for the folders' test programs, each program given
    its folder's time limit. A program that fails gets one more try, as in the full test
    run: the Windows ones fail now and then on a loaded machine, and a fault a mutant puts
    in fails both times."""
    for folder in folders:
        tree, _targets, commands = FOLDERS[folder]
        cwd = os.path.join(tree_dir(tree), "tests", folder)
        for kind, name in commands:
            if kind == "ctest":
                command = ["ctest", "--test-dir", tree_dir(tree), "-L", name, "-j", "2",
                           "--stop-on-failure"]
            elif tree == "win":
                command = [os.path.join(ROOT, "cmake", "wine-run"),
                           os.path.join(tree_dir(tree), "bin", name + ".exe")]
            else:
                command = [os.path.join(tree_dir(tree), "bin", name)]
            env = wine_env() if tree == "win" else None
            status = run_quietly(command, cwd, limits.get(folder, TEST_TIMEOUT), env)
            if status:
                status = run_quietly(command, cwd, limits.get(folder, TEST_TIMEOUT), env)
            if status is None:
                return "timeout"
            if status != 0:
                return "failed"
    return "passed"


def start_wine():
    subprocess.run([os.path.join(ROOT, "scripts", "wine-server.sh"), tree_dir("win")],
                   check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)


def stop_wine():
    subprocess.run(["wineserver", "-k"], env=wine_env(), stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=wine_env(), stderr=subprocess.DEVNULL)


# A mutant can wreck the prefix's registry (an unregistration whose key path lost its class
# identifier deletes every class), and every later run would fail for it: each Windows
# mutant gets the registry as it was at the start of the run.
REGISTRY_FILES = ("system.reg", "user.reg", "userdef.reg")


def registry_copy():
    return os.path.join(tree_dir("win"), "mutation-registry")


def save_registry():
    stop_wine()  # the server writes the registry out as it ends
    os.makedirs(registry_copy(), exist_ok=True)
    for name in REGISTRY_FILES:
        shutil.copy(os.path.join(wine_env()["WINEPREFIX"], name), registry_copy())
    start_wine()


def restore_registry():
    stop_wine()
    for name in REGISTRY_FILES:
        shutil.copy(os.path.join(registry_copy(), name), wine_env()["WINEPREFIX"])
    start_wine()


def run(args):
    mutants = read_mutants()
    if args.ids:
        mutants = [m for m in mutants if m["id"] in args.ids]
    if args.folders:
        for m in mutants:
            m["folders"] = ",".join(f for f in m["folders"].split(",") if f in args.folders)
        mutants = [m for m in mutants if m["folders"]]
    needs_wine = any(FOLDERS[f][0] == "win" for m in mutants for f in m["folders"].split(","))
    if needs_wine and not os.environ.get("MUTATION_DISPLAY"):
        # One virtual display and one Wine server for the whole run.
        os.environ["MUTATION_DISPLAY"] = "1"
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24",
                               sys.executable, os.path.abspath(__file__)] + sys.argv[1:])
    # Ctrl-C and kill both end in the finally clauses below.
    for number in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    out = open(args.out, "w") if args.out else sys.stdout
    if needs_wine:
        start_wine()
        save_registry()
    try:
        run_all(mutants, out)
    finally:
        if needs_wine:
            stop_wine()
        if out is not sys.stdout:
            out.close()


def run_all(mutants, out):
    # The unchanged tree must build and pass first, or a failure would say nothing. A
    # mutant's programs get five times as long as the unchanged ones took (a minute at least).
    broken, limits = set(), {}
    for folder in sorted({f for m in mutants for f in m["folders"].split(",")}):
        open(LOG, "w").close()
        if not build([folder]):
            broken.add(folder)
        start = time.time()
        if folder not in broken and run_tests([folder], {}) != "passed":
            broken.add(folder)
        limits[folder] = max(60, 5 * (time.time() - start))
        if folder in broken:
            shutil.copy(LOG, LOG + "." + folder)
            print("folder %s fails without a mutant (see %s): its mutants are skipped"
                  % (folder, os.path.relpath(LOG + "." + folder, ROOT)), file=sys.stderr)
    out.write("id\toutcome\tseconds\tfailed tests\n")
    results = []
    for m in mutants:
        folders = m["folders"].split(",")
        start = time.time()
        if broken.intersection(folders):
            outcome = "skipped"
        else:
            outcome = run_one(m, folders, limits)
        seconds = time.time() - start
        results.append((FOLDERS[folders[0]][0], outcome, seconds))
        failed = ""
        if outcome in ("killed", "timeout"):
            failed = failed_tests()
            os.makedirs(LOG_FOLDER, exist_ok=True)
            shutil.copy(LOG, os.path.join(LOG_FOLDER, m["id"] + ".log"))
        out.write("%s\t%s\t%.0f\t%s\n" % (m["id"], outcome, seconds, failed))
        out.flush()
        print("%s %s %s:%s %.0f s" % (m["id"], outcome, m["file"], m["line"], seconds),
              file=sys.stderr)
    for tree in ("native", "win"):
        summarize(out, tree, [r for r in results if r[0] == tree])
    summarize(out, "all", results)


def failed_tests():
    """The tests that failed in the latest run, from their programs' output in LOG: which
    tests catch a mutant is what a change to the tests has to keep."""
    names = []
    with open(LOG, errors="replace") as log:
        for line in log:
            match = (re.match(r"\[  FAILED  \] (\S+) \(", line)
                     or re.match(r"\s*\d+/\d+ Test +#\d+: (\S+) .*(Failed|Timeout)", line))
            if match and match.group(1) not in names:
                names.append(match.group(1))
    return " ".join(names[:4]) + (" ..." if len(names) > 4 else "")


def summarize(out, name, results):
    """One line: killed / counted and the rate, the outcomes not counted, seconds per mutant."""
    if not results:
        return
    counts = {}
    for _tree, outcome, _seconds in results:
        counts[outcome] = counts.get(outcome, 0) + 1
    killed = counts.get("killed", 0) + counts.get("timeout", 0)
    total = killed + counts.get("survived", 0)
    rate = 100.0 * killed / total if total else 0.0
    others = "".join(", %s %d" % (k, v) for k, v in sorted(counts.items())
                     if k not in ("killed", "timeout", "survived"))
    seconds = sum(r[2] for r in results) / len(results)
    out.write("# %s: killed %d / %d = %.0f %%%s; %.0f s per mutant\n"
              % (name, killed, total, rate, others, seconds))


def run_one(mutant, folders, limits):
    open(LOG, "w").close()
    path = os.path.join(ROOT, mutant["file"])
    original = apply(mutant)
    if original is None:
        return "not found"
    try:
        if not build(folders):
            return "no build"
        result = run_tests(folders, limits)
        if any(FOLDERS[f][0] == "win" for f in folders):
            restore_registry()
        return {"passed": "survived", "failed": "killed", "timeout": "timeout"}[result]
    finally:
        with open(path, "w") as f:
            f.write(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("pick", help="write the sample of mutants")
    runner = commands.add_parser("run", help="run the mutants")
    runner.add_argument("--ids", nargs="+", help="only these mutants")
    runner.add_argument("--folders", nargs="+", choices=sorted(FOLDERS),
                        help="only these test folders")
    runner.add_argument("--out", help="results file (TSV); standard output without it")
    args = parser.parse_args()
    if shutil.which("ninja") is None:
        sys.exit("mutation.py: ninja is needed")
    {"pick": pick, "run": run}[args.command](args)


if __name__ == "__main__":
    main()
