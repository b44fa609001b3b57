#!/usr/bin/env python3
"""gradova-cli against mawk '{n+=NF}' on generated course files: user+sys CPU time and peak
memory, medians over runs in which the commands take turns, so that load from elsewhere falls on
all of them alike. With PLAIN_TSV (bench/plain_tsv.cpp), the plain two-pass reading is timed
beside them, once its output is seen to be gradova-cli's byte for byte.

  compare_cli.py GRADOVA_CLI MAKE_COURSE_FILE WORKDIR [RUNS] [PLAIN_TSV]
"""
import os
import statistics
import subprocess
import sys


def cpu_seconds(command):
    """user+sys seconds of one run, output discarded."""
    with open(os.devnull, "wb") as null:
        process = subprocess.Popen(command, stdout=null)
        _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed: {' '.join(command)}")
    return usage.ru_utime + usage.ru_stime


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
    return {name: (statistics.median(samples[name]), peak_megabytes(command))
            for name, command in commands.items()}


def same_output(first, second):
    """Whether two commands write the same bytes."""
    outputs = [subprocess.run(command, stdout=subprocess.PIPE, check=True).stdout
               for command in (first, second)]
    return outputs[0] == outputs[1]


def main():
    cli, make, work = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 11
    plain = sys.argv[5] if len(sys.argv) > 5 else None
    html = os.path.join(work, "report.html")
    for count, label in ((1_000, "1k"), (1_000_000, "1M"), (10_000_000, "10M")):
        courses = os.path.join(work, f"courses_{count}.txt")
        if not os.path.exists(courses):
            subprocess.run([make, str(count), courses], check=True)
        commands = {"mawk": ["mawk", "{n+=NF}", courses],
                    "tsv": [cli, "--format", "tsv", courses]}
        if plain and count <= 1_000_000:
            if not same_output([plain, courses], commands["tsv"]):
                sys.exit(f"{plain} and gradova-cli differ on {courses} (a rules file here?)")
            commands["plain"] = [plain, courses]
        if count == 1_000_000:
            commands["text"] = [cli, courses]
        if count >= 1_000_000:
            commands["html"] = [cli, "--format", "tsv", "--html", html, courses]
        results = compare(commands, runs if count < 10_000_000 else max(3, runs // 3))
        awk = results["mawk"][0]
        print(f"{label} courses ({os.path.getsize(courses) / 1e6:.1f} MB), median user+sys:")
        for name, (seconds, memory) in results.items():
            ratio = f"{seconds / awk:5.2f}x mawk" if name != "mawk" else ""
            if name == "text":
                ratio += f", {seconds / results['tsv'][0]:.2f}x tsv"
            if name == "tsv" and "plain" in results:
                ratio += f", {seconds / results['plain'][0]:.2f}x plain"
            print(f"  {name:5} {seconds * 1000:8.1f} ms  {memory:7.1f} MB  {ratio}")
    os.remove(html)


if __name__ == "__main__":
    main()
