#!/usr/bin/env python3
"""Runs every condsim-batch command that the README and the pages of docs/ show, as a
reader would paste it, and checks that it succeeds and prints what the page says.

A fenced block whose lines begin with "$ " is a session: each "$ " line (with its
continuation lines ending in a backslash) is a command, and the lines after it up to the
next command are its output as the page shows it; every such line must be a line the
command printed (on standard output or standard error), where "..." stands for any text.
In other blocks, lines that begin with "build/condsim-batch" are commands whose output is
not shown. Each block runs in a fresh folder holding a copy of examples/ and a link
named build to the build folder, so the relative names of the pages resolve.

usage: run-documented-commands.py BUILD_DIR SOURCE_DIR
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

PAGES = ["README.md", "examples/README.md"]
COMMAND_START = "build/condsim-batch"


def fenced_blocks(text):
    """(first line number, lines) of every fenced block of a Markdown text."""
    blocks, current, start = [], None, 0
    for number, line in enumerate(text.splitlines(), 1):
        if line.startswith("```"):
            if current is None:
                current, start = [], number + 1
            else:
                blocks.append((start, current))
                current = None
        elif current is not None:
            current.append(line)
    return blocks


def commands_of(lines):
    """(command, shown output lines) of a block, in order."""
    session = any(line.startswith("$ ") for line in lines)
    commands, index = [], 0
    while index < len(lines):
        line = lines[index]
        if session and line.startswith("$ "):
            line = line[2:]
        elif session or not line.startswith(COMMAND_START):
            if session and commands:
                commands[-1][1].append(line)
            index += 1
            continue
        command = line
        while command.endswith("\\") and index + 1 < len(lines):
            index += 1
            command = command[:-1] + " " + lines[index].strip()
        commands.append((command, []))
        index += 1
    return commands


def matches(shown, printed):
    pattern = ".*".join(re.escape(part) for part in shown.split("..."))
    return any(re.fullmatch(pattern, line) for line in printed)


def main():
    build_dir, source_dir = (os.path.abspath(argument) for argument in sys.argv[1:3])
    pages = PAGES + sorted(
        os.path.join("docs", name) for name in os.listdir(os.path.join(source_dir, "docs"))
        if name.endswith(".md"))
    environment = dict(os.environ, LC_ALL="C.UTF-8")
    failures, count = [], 0
    for page in pages:
        with open(os.path.join(source_dir, page), encoding="utf-8") as file:
            blocks = fenced_blocks(file.read())
        for start, lines in blocks:
            commands = commands_of(lines)
            if not any(command.startswith(COMMAND_START) for command, _ in commands):
                continue
            with tempfile.TemporaryDirectory(dir=build_dir) as folder:
                shutil.copytree(os.path.join(source_dir, "examples"),
                                os.path.join(folder, "examples"))
                os.symlink(build_dir, os.path.join(folder, "build"))
                for command, shown in commands:
                    count += 1
                    where = f"{page}:{start}: {command}"
                    run = subprocess.run(["bash", "-c", command], cwd=folder, env=environment,
                                         stdin=subprocess.DEVNULL, capture_output=True,
                                         text=True, timeout=600)
                    printed = (run.stdout + run.stderr).splitlines()
                    if run.returncode != 0:
                        failures.append(f"{where}\n  exit status {run.returncode}\n  " +
                                        "\n  ".join(printed[:5]))
                        continue
                    missing = [line for line in shown if line.strip() and
                               not matches(line, printed)]
                    if missing:
                        failures.append(f"{where}\n  the page shows lines it did not print:\n  " +
                                        "\n  ".join(missing) + "\n  it printed:\n  " +
                                        "\n  ".join(printed))
    for failure in failures:
        print(failure)
    print(f"{count} documented commands run, {len(failures)} failed")
    return 1 if failures or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
