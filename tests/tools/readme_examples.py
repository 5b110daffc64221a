#!/usr/bin/env python3
"""Runs the README's examples as a reader would and compares what they print with the README.

An example is a fenced block whose lines start with "$ ": those lines run, in order, in one bash
shell in the checkout's root; the other lines are what it must print, where a line "…" stands
for any number of lines. The tools' paths "build/debug/" are taken from the build under test.
Nothing in the checkout may change."""
import hashlib
import os
import re
import subprocess
import sys
import tempfile

FENCE = re.compile(r"^```[^\n]*\n(.*?)^```", re.MULTILINE | re.DOTALL)


def examples(readme):
    for block in FENCE.findall(readme):
        lines = block.splitlines()
        if any(line.startswith("$ ") for line in lines):
            yield ([line[2:] for line in lines if line.startswith("$ ")],
                   [line for line in lines if not line.startswith("$ ")])


def matches(expected, printed):
    """True when `printed` reads as `expected`, each "…" standing for any lines."""
    if not expected:
        return not printed
    if expected[0] == "…":
        return any(matches(expected[1:], printed[skip:]) for skip in range(len(printed) + 1))
    return bool(printed) and printed[0].rstrip() == expected[0].rstrip() and \
        matches(expected[1:], printed[1:])


def tree_digest(root, folder):
    digest = hashlib.sha256()
    for parent, _, files in sorted(os.walk(os.path.join(root, folder))):
        for name in sorted(files):
            path = os.path.join(parent, name)
            digest.update(path.encode())
            with open(path, "rb") as file:
                digest.update(file.read())
    return digest.hexdigest()


def main():
    root, build = sys.argv[1], os.path.relpath(sys.argv[2], sys.argv[1])
    with open(os.path.join(root, "README.md"), encoding="utf-8") as file:
        readme = file.read()
    before = tree_digest(root, "examples")
    failures = 0
    count = 0
    for commands, expected in examples(readme):
        count += 1
        script = "set -e\n" + "\n".join(commands).replace("build/debug/", build + "/") + "\n"
        environment = {key: value for key, value in os.environ.items()
                       if key not in ("PROGRAMDATA", "ZEP_LANGUAGE")}
        # The scratch folders the example makes with mktemp go when it ends.
        with tempfile.TemporaryDirectory() as scratch:
            environment["TMPDIR"] = scratch
            run = subprocess.run(["bash", "-c", script], cwd=root, capture_output=True,
                                 text=True, env=environment, timeout=120)
        printed = run.stdout.splitlines()
        if run.returncode != 0 or not matches(expected, printed):
            failures += 1
            print("example %d failed (exit %d):\n%s\nprinted:\n%s\n%s" %
                  (count, run.returncode, "\n".join(commands), run.stdout, run.stderr))
    if tree_digest(root, "examples") != before:
        failures += 1
        print("the examples changed the tracked examples/ folder")
    print("%d examples, %d failed" % (count, failures))
    return 1 if failures or not count else 0


if __name__ == "__main__":
    sys.exit(main())
