#!/usr/bin/env python3
"""The terminal reader's search against grep, whole process against whole
process, through hyperfine: rounds of the commands, the order swapped each
round, so a neighbour's load falls on all alike. Prints rows of the bench
table: medians over all runs with their quartiles, and the median of the
rounds' ratios with the lowest and highest round; then the same search with
--any-spelling against the exact one, from the same rounds.
Usage: whole_process.py CLI WORKDIR [ROUNDS] [RUNS_PER_ROUND] [OTHER_CLI]
OTHER_CLI, another build (say, before a change), is timed in the same rounds
and gets a row of its own."""
import json
import os
import statistics
import subprocess
import sys


def quartiles(values):
    v = sorted(values)
    at = lambda q: v[int(q * (len(v) - 1) + 0.5)]
    return at(0.5), at(0.25), at(0.75)


def main():
    cli, work = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    read = lambda name: open(os.path.join(work, name), encoding="utf-8").read()
    lessons = os.path.join(work, "lessons-utf8.txt")
    other = sys.argv[5] if len(sys.argv) > 5 else None
    ours = [cli, "search", read("absent-reading.txt"), "--from", "1"]
    grep = ["grep", "-c", "-F", read("absent-stored.txt"), lessons]
    # Both must find nothing, or the figures are not a full walk.
    env = dict(os.environ, LC_ALL="C")
    any_spelling = ours + ["--any-spelling"]
    checks = [subprocess.run(c, capture_output=True, text=True, env=env).stdout.strip()
              for c in (ours, grep, any_spelling)]
    if checks != ["Not Found!", "0", "Not Found!"]:
        sys.exit("whole_process: the absent word was found: %r" % checks)
    commands = {"ours": ours, "grep": grep, "any": any_spelling}
    if other:
        commands["other"] = [other] + ours[1:]
    times = {name: [] for name in commands}
    # Processor time (user + system, hyperfine gives a mean per round): on a
    # loaded machine the wall clock also holds the waits for a core.
    cpu = {name: [] for name in commands}
    ratios = {name: [] for name in commands}
    for r in range(rounds):
        order = list(commands) if r % 2 == 0 else list(reversed(commands))
        out = os.path.join(work, "hyperfine.json")
        # Without a shell, each command line is split by hyperfine itself.
        quoted = [" ".join("'%s'" % a for a in commands[name]) for name in order]
        subprocess.run(["hyperfine", "-N", "-i", "--style", "none", "--warmup", "3", "--runs", str(runs),
                        "--export-json", out] + quoted, check=True, env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        results = json.load(open(out))["results"]
        medians = {}
        for name, result in zip(order, results):
            times[name] += result["times"]
            medians[name] = statistics.median(result["times"])
            cpu[name].append(result["user"] + result["system"])
        for name in commands:
            ratios[name].append(medians[name] / medians["grep"])
        ratios["any/ours"] = ratios.get("any/ours", []) + [medians["any"] / medians["ours"]]
    g = quartiles(times["grep"])
    ms = lambda q: "%.2f ms (%.2f-%.2f)" % (q[0] * 1e3, q[1] * 1e3, q[2] * 1e3)
    rows = [("ours", "quorin-cli search, whole process (release)")]
    if other:
        rows.append(("other", "the same, " + other))
    for name, measure in rows:
        r = ratios[name]
        ratio = "%.2fx (%.2f-%.2f)" % (statistics.median(r), min(r), max(r))
        print("| %-48s | %-22s | %-44s | %-19s | %-16s |"
              % (measure, ms(quartiles(times[name])), "grep -c -F, UTF-8 file: " + ms(g), ratio, "<= 0.75x"))
        c, cg = statistics.median(cpu[name]), statistics.median(cpu["grep"])
        print("| %-48s | %-22s | %-44s | %-19s | %-16s |"
              % ("  processor time (user + system)", "%.2f ms" % (c * 1e3), "grep: %.2f ms" % (cg * 1e3),
                 "%.2fx" % (c / cg), "(context)"))
    r = ratios["any/ours"]
    print("| %-48s | %-22s | %-44s | %-19s | %-16s |"
          % ("quorin-cli search --any-spelling, whole process", ms(quartiles(times["any"])),
             "exact search: " + ms(quartiles(times["ours"])),
             "%.2fx (%.2f-%.2f)" % (statistics.median(r), min(r), max(r)), "<= 1.5x"))
    c, co = statistics.median(cpu["any"]), statistics.median(cpu["ours"])
    print("| %-48s | %-22s | %-44s | %-19s | %-16s |"
          % ("  processor time (user + system)", "%.2f ms" % (c * 1e3), "exact search: %.2f ms" % (co * 1e3),
             "%.2fx" % (c / co), "(context)"))


main()
