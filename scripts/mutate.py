#!/usr/bin/env python3
"""Mutation testing of src/: changes one line the suite runs, rebuilds, runs the suite, and says whether it noticed.

Usage: scripts/mutate.py [--seed N] [--count N] [--jobs N] [--timeout S] [--files REGEX] [--resume OUTPUT]
                         [--coverage JSON]

Lines run by the suite come from a coverage build in build-cov/ (computed once, cached until src/, tests/ or
tools/ change). Each job mutates its own copy of the tree in build-mut/<job>/ and builds it in
build-mut/<job>/build, so the working tree and build/ are never touched. Mutants listed in
scripts/mutate-equivalent.txt ("file:line: before -> after" as printed, the line number optional) are skipped.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TREE_PARTS = ["CMakeLists.txt", "dist", "scripts", "src", "tests", "tools"]
XVFB = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -noreset"]
ENV = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1")

running = set()
stopping = threading.Event()


def run(cmd, cwd, timeout=None, log=None):
    """Runs cmd in its own process group; returns its exit code, or None when it ran out of time or was stopped."""
    with open(log or os.devnull, "a") as out:
        proc = subprocess.Popen(cmd, cwd=cwd, env=ENV, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        running.add(proc)
        try:
            code = proc.wait(timeout=timeout)
            return None if stopping.is_set() else code
        except subprocess.TimeoutExpired:
            return None
        finally:
            stop(proc)
            running.discard(proc)


def stop(proc):
    # TERM first, so that Xvfb removes its lock file; KILL what is left.
    for sig, wait in ((signal.SIGTERM, 5), (signal.SIGKILL, None)):
        if proc.poll() is not None:
            return
        try:
            os.killpg(proc.pid, sig)
            proc.wait(timeout=wait)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            pass


def tree_files(base):
    for part in TREE_PARTS:
        path = base / part
        if path.is_file():
            yield Path(part)
        else:
            for f in sorted(path.rglob("*")):
                if f.is_file():
                    yield f.relative_to(base)


def tree_hash():
    """What the coverage depends on: the tree without this script and its list."""
    h = hashlib.sha1()
    for rel in tree_files(ROOT):
        if rel.name.startswith("mutate"):
            continue
        h.update(str(rel).encode() + b"\0" + (ROOT / rel).read_bytes())
    return h.hexdigest()


def sync_tree(dest):
    """Makes dest a copy of the tree, writing only files whose bytes differ (so the rebuild stays incremental)."""
    wanted = set(tree_files(ROOT))
    for rel in wanted:
        data = (ROOT / rel).read_bytes()
        target = dest / rel
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
        shutil.copymode(ROOT / rel, target)
    if dest.exists():
        for rel in set(tree_files(dest)) - wanted:
            (dest / rel).unlink()


def configure(source, build, build_type="Release", flags=""):
    command = ["cmake", "-S", str(source), "-B", str(build), f"-DCMAKE_BUILD_TYPE={build_type}"]
    if flags:
        command += [f"-DCMAKE_CXX_FLAGS={flags}", f"-DCMAKE_EXE_LINKER_FLAGS={flags}"]
    if run(command, ROOT) != 0:
        sys.exit(f"mutate: cannot configure {build}")


def build_targets(build, targets=()):
    """True when the targets (everything when none) build."""
    log = build / "last-build.log"
    command = ["cmake", "--build", str(build), "-j2"] + [a for t in targets for a in ("--target", t)]
    return run(command, ROOT, log=log) == 0


# The unit and GL tests run first, each binary as one process (a second or two), so that most mutants fail before
# the program and the other binaries are even linked; the end-to-end runs of the program and the rest follow.
QUICK_TARGETS = ("unit_tests", "gl_tests")


def quick_stages(build):
    return [[str(build / "tests" / "unit_tests")], XVFB + [str(build / "tests" / "gl_tests")]]


def slow_stages():
    return [XVFB + ["ctest", "--stop-on-failure", "-j", "2", "-L", "e2e_tests"],
            XVFB + ["ctest", "--stop-on-failure", "-j", "2", "-LE", "unit_tests|gl_tests|e2e_tests"]]


def run_stages(build, stages, deadline):
    """0 when every stage passes; the first other exit code, or None when the time ran out."""
    for stage in stages:
        left = None if deadline is None else max(1.0, deadline - time.time())
        code = run(stage, build, left, build / "last-suite.log")
        if code != 0:
            return code
    return 0


def run_suite(build, timeout):
    """Builds in two steps and runs the suite; "build failed", or the suite's exit code (None: out of time)."""
    (build / "last-suite.log").unlink(missing_ok=True)
    (build / "last-build.log").unlink(missing_ok=True)
    deadline = None if timeout is None else time.time() + timeout
    if not build_targets(build, QUICK_TARGETS):
        return "build failed"
    code = run_stages(build, quick_stages(build), deadline)
    if code != 0:
        return code
    if not build_targets(build):
        return "build failed"
    return run_stages(build, slow_stages(), deadline)


def covered_lines(measured=None):
    """{file: [line numbers]} of src/ run by the suite, from gcov over the coverage build, or as measured before."""
    if measured:
        return json.loads(Path(measured).read_text())["lines"]
    cov = ROOT / "build-cov"
    cache = cov / "covered-lines.json"
    key = tree_hash()
    if cache.is_file():
        data = json.loads(cache.read_text())
        if data.get("tree") == key:
            return data["lines"]
    print("mutate: measuring coverage in build-cov/ (once)", flush=True)
    cov.mkdir(exist_ok=True)
    configure(ROOT, cov, "Debug", "--coverage")
    if not build_targets(cov):
        sys.exit("mutate: the coverage build failed (see build-cov/last-build.log)")
    for old in cov.rglob("*.gcda"):
        old.unlink()
    # Every test, even after a failure, so that the lines of all of them count.
    if run(XVFB + ["ctest", "-j", "2"], cov, log=cov / "last-suite.log") != 0:
        print("mutate: warning: the suite fails in the coverage build (see build-cov/last-suite.log)")
    lines = {}
    for gcda in cov.rglob("*.gcda"):
        out = subprocess.run(["gcov", "--json-format", "--stdout", str(gcda)], cwd=gcda.parent,
                             capture_output=True, text=True).stdout
        for doc in out.splitlines():
            for f in json.loads(doc).get("files", []):
                path = Path(f["file"]) if os.path.isabs(f["file"]) else gcda.parent / f["file"]
                rel = os.path.relpath(path.resolve(), ROOT)
                if rel.startswith("src/"):
                    hit = {l["line_number"] for l in f["lines"] if l["count"] > 0}
                    lines[rel] = sorted(set(lines.get(rel, [])) | hit)
    cache.write_text(json.dumps({"tree": key, "lines": lines}))
    return lines


# Operators written with a space on each side (the code's style), so unary minus, pointers, templates,
# '->' and '<<' are left alone.
OPERATORS = {"+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "+=": ["-="], "-=": ["+="], "*=": ["/="], "/=": ["*="],
             "<": ["<=", ">"], "<=": ["<", ">="], ">": [">=", "<"], ">=": [">", "<="], "==": ["!="], "!=": ["=="],
             "&&": ["||"], "||": ["&&"]}
OPERATOR = re.compile(r"(?<= )(&&|\|\||[<>=!+\-*/]=|[<>+\-*/])(?= )")
NUMBER = re.compile(r"(?<![\w.])((?:\d+\.\d*|\.\d+|\d+)(?:[eE][-+]?\d+)?)([fFuUlL]*)(?![\w.])")
BOOLEAN = re.compile(r"\b(true|false)\b")
CALL = re.compile(r"^[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*|\[[^\]]*\])*\(.*\);$")
RETURN = re.compile(r"^return (.+);$")
KEYWORDS = {"return", "if", "while", "for", "switch", "case", "else", "delete", "throw", "sizeof", "static_assert"}
EQUIVALENT = re.compile(r"^([^\s#:]+)(?::(\d+))?: (.*?) -> (.*)$")
LITERAL = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])+\'')


def masked(line):
    """The line with strings, characters and the trailing comment blanked out, same length."""
    text = LITERAL.sub(lambda m: "\x01" * len(m.group()), line)
    cut = text.find("//")
    return text if cut < 0 else text[:cut] + " " * (len(text) - cut)


def number_after(value, suffix):
    is_float = any(c in value for c in ".eE") or "f" in suffix.lower()
    if not is_float:
        n = int(value)
        return [str(n + 1), str(n - 1)] + ([f"(-{value})"] if n else [])
    x = float(value)
    changed = []
    for y in (x + 1, x - 1):
        text = repr(y)
        changed.append((text if re.search(r"[.e]", text) else text + ".0") + ("f" if "f" in suffix.lower() else ""))
    return changed + ([f"(-{value}{suffix})"] if x else [])


def mutations(line):
    """Every mutant of one source line, as the new line."""
    text = masked(line)
    code = text.strip()
    if not code or code.startswith(("#", "*", "/*")):
        return []
    indent = line[: len(line) - len(line.lstrip())]
    found = []
    for m in OPERATOR.finditer(text):
        found += [line[: m.start()] + new + line[m.end():] for new in OPERATORS[m.group()]]
    for m in NUMBER.finditer(text):
        found += [line[: m.start()] + new + line[m.end():] for new in number_after(m.group(1), m.group(2))]
    for m in BOOLEAN.finditer(text):
        found.append(line[: m.start()] + ("false" if m.group() == "true" else "true") + line[m.end():])
    first_word = re.match(r"\w*", code).group()
    if CALL.match(code) and first_word not in KEYWORDS and code.count("(") == code.count(")"):
        found.append(indent + ";")
    ret = RETURN.match(code)
    if ret:
        found.append(indent + ("return 1;" if ret.group(1) in ("0", "false", "nullptr") else "return 0;"))
    return [f for f in found if f != line]


def equivalents():
    listed = set()
    path = ROOT / "scripts" / "mutate-equivalent.txt"
    if path.is_file():
        for entry in path.read_text().splitlines():
            m = EQUIVALENT.match(entry.strip())
            if m:
                file, line, before, after = m.groups()
                listed.add((file, int(line) if line else None, before, after))
    return listed


def choose(lines, count, seed, files):
    """count distinct mutants at random covered lines of the files matching the pattern, skipping the listed
    equivalents."""
    rng = random.Random(seed)
    sites = [(f, n) for f in sorted(lines) if re.search(files, f) for n in lines[f]]
    skip = equivalents()
    texts, chosen, seen = {}, [], set()
    for _ in range(count * 200):
        if len(chosen) == count or not sites:
            break
        file, n = rng.choice(sites)
        if file not in texts:
            texts[file] = (ROOT / file).read_text().split("\n")
        if n > len(texts[file]):
            continue
        before = texts[file][n - 1]
        options = mutations(before)
        if not options:
            continue
        after = rng.choice(options)
        key = (file, before.strip(), after.strip())
        if key in seen or (file, None) + key[1:] in skip or (file, n) + key[1:] in skip:
            continue
        seen.add(key)
        chosen.append({"file": file, "line": n, "before": before, "after": after})
    return chosen


def try_mutant(job, mutant, timeout):
    source = ROOT / "build-mut" / str(job)
    path = source / mutant["file"]
    original = path.read_bytes()
    lines = original.decode().split("\n")
    lines[mutant["line"] - 1] = mutant["after"]
    start = time.time()
    path.write_text("\n".join(lines))
    try:
        code = run_suite(source / "build", timeout)
        outcome = {None: "timed out", 0: "survived", "build failed": "build failed"}.get(code, "killed")
        result = "stopped" if stopping.is_set() else outcome
    finally:
        path.write_bytes(original)
    return result, time.time() - start


def prepare(jobs):
    for job in range(jobs):
        source = ROOT / "build-mut" / str(job)
        sync_tree(source)
        configure(source, source / "build")
        if not build_targets(source / "build"):
            sys.exit(f"mutate: the unmutated tree does not build (see {source}/build/last-build.log)")
    start = time.time()
    if run_suite(ROOT / "build-mut" / "0" / "build", None) != 0:
        sys.exit("mutate: the suite fails without any mutant (see build-mut/0/build/last-suite.log)")
    return time.time() - start


def describe(mutant):
    return f"{mutant['file']}:{mutant['line']}: {mutant['before'].strip()} -> {mutant['after'].strip()}"


RESULT = re.compile(r"^\s*(killed|survived|timed out|build failed)\s+(?:\d+ s|earlier) (.*)$")


def earlier_results(path):
    """{mutant as printed: result} from an earlier run's output."""
    found = {}
    for line in Path(path).read_text().splitlines() if path else []:
        m = RESULT.match(line)
        if m:
            found[m.group(2).strip()] = m.group(1)
    return found


def interrupt(signum, frame):
    raise KeyboardInterrupt


def main():
    # Also when started in the background (SIGINT ignored) or stopped with kill: restore before leaving.
    signal.signal(signal.SIGINT, interrupt)
    signal.signal(signal.SIGTERM, interrupt)
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=20)
    parser.add_argument("--jobs", type=int, default=1)
    parser.add_argument("--timeout", type=float, help="seconds for one suite run (default: three times the clean run)")
    parser.add_argument("--files", default="", help="mutate only files of src/ whose path matches this pattern")
    parser.add_argument("--resume", help="the output of an earlier, unfinished run of the same seed on the same tree: "
                        "its results are taken as they stand and only the rest are run")
    parser.add_argument("--coverage", help="the lines an earlier run measured (its build-cov/covered-lines.json): after "
                        "tests were only added, the same seed draws the same mutants")
    args = parser.parse_args()

    mutants = choose(covered_lines(args.coverage), args.count, args.seed, args.files)
    earlier = earlier_results(args.resume)
    tally = {}
    for mutant in [m for m in mutants if describe(m) in earlier]:
        result = earlier[describe(mutant)]
        tally[result] = tally.get(result, 0) + 1
        print(f"{result:>12}  earlier {describe(mutant)}", flush=True)
    mutants = [m for m in mutants if describe(m) not in earlier]
    clean = prepare(args.jobs)
    timeout = args.timeout or max(60.0, 3 * clean)
    print(f"mutate: seed {args.seed}, {len(mutants)} mutants, {args.jobs} job(s); clean suite {clean:.0f} s, "
          f"time limit {timeout:.0f} s", flush=True)

    free = list(range(args.jobs))
    lock = threading.Lock()

    def work(mutant):
        with lock:
            job = free.pop()
        try:
            return mutant, try_mutant(job, mutant, timeout)
        finally:
            with lock:
                free.append(job)

    pool = concurrent.futures.ThreadPoolExecutor(args.jobs)
    begun, ran = time.time(), 0
    try:
        for future in concurrent.futures.as_completed([pool.submit(work, m) for m in mutants]):
            mutant, (result, seconds) = future.result()
            tally[result] = tally.get(result, 0) + 1
            ran += 1
            print(f"{result:>12} {seconds:4.0f} s  {describe(mutant)}", flush=True)
    except KeyboardInterrupt:
        print("mutate: stopping; the mutated files are being restored", flush=True)
        stopping.set()
        for proc in list(running):
            stop(proc)
    finally:
        pool.shutdown(wait=True, cancel_futures=True)

    killed = tally.get("killed", 0) + tally.get("timed out", 0)
    built = killed + tally.get("survived", 0)
    summary = ", ".join(f"{k} {v}" for k, v in sorted(tally.items())) or "no mutant finished"
    rate = f"{100.0 * killed / built:.1f} %" if built else "n/a"
    per = f"{(time.time() - begun) * args.jobs / ran:.0f} s per mutant run" if ran else ""
    print(f"mutate: {summary}; kill rate {rate} (killed or timed out, of the {built} that built); {per}")


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit("mutate: stopped")
