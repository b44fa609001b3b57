#!/usr/bin/env python3
"""gradova-cli against mawk '{n+=NF}' on generated course files: user+sys CPU time, wall time
and peak memory against the file's size, medians over runs in which the commands take turns, so
that load from elsewhere falls on all of them alike. Then a course file whose one name is 1 GB.

  compare_cli.py GRADOVA_CLI MAKE_COURSE_FILE WORKDIR [RUNS]
"""
import os
import statistics
import subprocess
import sys
import time


def cpu_seconds(command):
    """user+sys seconds and wall seconds of one run, output discarded."""
    with open(os.devnull, "wb") as null:
        start = time.monotonic()
        process = subprocess.Popen(command, stdout=null)
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.monotonic() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(command)}")
    return usage.ru_utime + usage.ru_stime, wall


def peak_megabytes(command):
    """Peak resident memory of one run, taken by GNU time: a child forked from this interpreter
    would count the interpreter's own memory as its peak."""
    with open(os.devnull, "wb") as null:
        result = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdout=null,
                                stderr=subprocess.PIPE, check=True)
    return int(result.stderr.decode().split()[-1]) / 1024


def compare(commands, runs):
    """Median CPU time and peak memory per named command, the commands taking turns run by run."""
    samples = {name: [] for name in commands}
    for _ in range(runs):
        for name, command in commands.items():
            samples[name].append(cpu_seconds(command))
    return {name: (statistics.median(cpu for cpu, _ in samples[name]),
                   statistics.median(wall for _, wall in samples[name]), peak_megabytes(command))
            for name, command in commands.items()}


def long_name(cli, work):
    """A course file of one line whose name is 1 GB: peak memory against the file's size."""
    path = os.path.join(work, "long_name.txt")
    if not os.path.exists(path):
        with open(path, "wb") as out:
            for _ in range(1024):
                out.write(b"n" * (1 << 20))
            out.write(b" 2 60\r\n")
    size = os.path.getsize(path) / 2**20
    for name, command in (("text", [cli, path]), ("tsv", [cli, "--format", "tsv", path])):
        memory = peak_megabytes(command)
        print(f"  {name:5} 1 GB name: {memory:7.1f} MB peak, {memory - size:6.1f} MB beyond the "
              f"file (goal: within 50)")
    os.remove(path)


def main():
    cli, make, work = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 11
    html = os.path.join(work, "report.html")
    for count, label in ((1_000, "1k"), (1_000_000, "1M"), (10_000_000, "10M")):
        courses = os.path.join(work, f"courses_{count}.txt")
        if not os.path.exists(courses):
            subprocess.run([make, str(count), courses], check=True)
        commands = {"mawk": ["mawk", "{n+=NF}", courses],
                    "tsv": [cli, "--format", "tsv", courses]}
        if count == 1_000_000:
            commands["text"] = [cli, courses]
        if count >= 1_000_000:
            commands["html"] = [cli, "--format", "tsv", "--html", html, courses]
        results = compare(commands, runs if count < 10_000_000 else max(3, runs // 3))
        awk = results["mawk"][0]
        size = os.path.getsize(courses) / 2**20
        print(f"{label} courses ({size:.1f} MiB), median user+sys, median wall, peak memory:")
        for name, (seconds, wall, memory) in results.items():
            ratio = f"{seconds / awk:5.2f}x mawk" if name != "mawk" else ""
            if name == "text":
                ratio += f", {seconds / results['tsv'][0]:.2f}x tsv"
            print(f"  {name:5} {seconds * 1000:8.1f} ms  {wall * 1000:8.1f} ms wall  "
                  f"{memory:7.1f} MB ({memory - size:+.1f} beyond the file)  {ratio}")
    os.remove(html)
    long_name(cli, work)


if __name__ == "__main__":
    main()
