#!/usr/bin/python3
"""Starts the real game binary from a terminal without a display: the options
that answer without a window, and the message when there is no display.

Usage: launch.py SCENARIO PATH_TO_TORVELO
"""

import os
import subprocess
import sys

NO_DISPLAY = "ディスプレイ"


def run(binary, args, **env):
    clean = {k: v for k, v in os.environ.items()
             if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    clean.update(env)
    return subprocess.run([binary] + args, env=clean, capture_output=True, text=True,
                          timeout=10)


def expect(result, status, stdout=None, stderr_has=(), stderr_lines=None):
    problems = []
    if result.returncode != status:
        problems.append(f"status {result.returncode}, not {status}")
    if stdout is not None and not stdout(result.stdout):
        problems.append(f"standard output {result.stdout!r}")
    for text in stderr_has:
        if text not in result.stderr:
            problems.append(f"standard error lacks {text!r}: {result.stderr!r}")
    if stderr_lines is not None and len(result.stderr.splitlines()) != stderr_lines:
        problems.append(f"standard error is not {stderr_lines} line(s): {result.stderr!r}")
    return problems


def main():
    scenario, binary = sys.argv[1], os.path.abspath(sys.argv[2])
    if scenario == "help":
        # Answered before any display is looked for, together with what is ignored.
        problems = expect(run(binary, ["--bogus", "--help", "--version"]), 0,
                          stdout=lambda out: "使い方" in out and "Usage" in out
                          and "--version" in out, stderr_lines=0)
    elif scenario == "version":
        problems = expect(run(binary, ["--version"]), 0,
                          stdout=lambda out: out == "torvelo 1.0.0\n", stderr_lines=0)
    elif scenario == "no-display":
        problems = expect(run(binary, []), 1, stdout=lambda out: out == "",
                          stderr_has=(NO_DISPLAY, "cannot open display", "DISPLAY"),
                          stderr_lines=1)
    elif scenario == "dead-display":
        problems = expect(run(binary, [], DISPLAY=":4242"), 1,
                          stderr_has=(NO_DISPLAY, "cannot open display", ":4242"),
                          stderr_lines=1)
    else:
        problems = [f"no scenario {scenario}"]
    if problems:
        print(f"FAIL {scenario}: " + "; ".join(problems), file=sys.stderr)
        return 1
    print(f"PASS {scenario}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
