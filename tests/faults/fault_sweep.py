#!/usr/bin/env python3
"""Fails every system operation of one max-sim session in turn and checks the plug-in comes through.

The session opens a scene, analyses it, edits a camera, remembers the settings and submits under a
new scene name with cleaning (and so a backup) to the reference farm client, which accepts. An
unfaulted run first counts the plug-in's operations of the os seam; then the session runs once per
operation with that operation failing (ZEP_FAULT_AT), and each run must:
  - end by itself within 60 s, without a signal, a sanitizer report or a host call off its thread;
  - leave the user's scene and the copy the session saves either as they were or as the host's
    saves made them (never truncated, never a backup, an archive or a half-written file);
  - leave no half-written job description or temporary file, and the settings file readable with
    the client's address intact;
  - tell the user: a message box, a printed line or a MAXScript listener line the unfaulted run
    does not show, or a new log line that names the failure. A failure that changes nothing the
    user sees or relies on may go untold only where the README's list of silent failures says so
    (ABSORBABLE below).
Prints one line per fault that broke a rule, then
"faults: N injected, N survived, 0 crashed, 0 hung, 0 lost". Exit code 0 when every run survived.
"""

import argparse
import concurrent.futures
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SESSION_STEPS = """open {scene}
action 1497
dblclick Studio_Front
text 1015 1280
text 1016 720
click 1014
tick Studio_Front
text 1036 studio_farm
click 1000
click 1001
click 1005
wait
"""
SCENE_NAME = "studio.max"
SAVED_NAME = "studio_farm.max"
TIME_LIMIT = 60
CRASH_REPORT = re.compile(r"ERROR: (Address|Leak|Thread)Sanitizer|runtime error:|"
                          r"wine: Unhandled|Unhandled exception")
CLIENT_KEYS = ("ip", "port", "lowerversion")
# Failures that may go untold when they change nothing: a conversion whose text the plug-in
# makes again or does not use, and the logger's own file operations, whose failure costs at most
# the line that could not be written.
ABSORBABLE = {"MultiByteToWide", "WideToMultiByte", "AppendFile::Open", "AppendFile::Write",
              "AppendFile::Size", "CrtAccess", "CrtMakeFolder", "CrtRemove", "CrtRename"}
RUN_SPECIFIC = [
    (re.compile(r"[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}"), "GUID"),
    (re.compile(r"_[0-9]{6}\.max"), "_NUMBER.max"),
    (re.compile(r"_[A-Za-z0-9]{6}\.7z"), "_TOKEN.7z"),
]


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Program:
    """How to start the build's programs: directly on Linux, under Wine for the Windows build.

    On Linux each run has a data folder of its own (PROGRAMDATA); under Wine the plug-in finds it
    where Windows keeps it, in the prefix, so there the runs take turns."""

    def __init__(self, build, wine_runner, wine_prefix):
        self.build = build
        self.wine = [wine_runner, wine_prefix] if wine_runner else []
        self.shared_data = os.path.join(wine_prefix, "drive_c", "ProgramData") if wine_runner \
            else None

    def max_sim(self):
        name = "max-sim.exe" if self.wine else "max-sim"
        return self.wine + [os.path.join(self.build, "tools", "max-sim", name)]

    def host_path(self, path):
        """A path as the programs see it: Wine maps the Linux root to drive Z:."""
        return "Z:" + path.replace("/", "\\") if self.wine else path

    def path_forms(self, path):
        """The forms a path takes in what the plug-in writes: inside JSON text, as the program
        sees it, and as it is."""
        host = self.host_path(path)
        return [host.replace("\\", "\\\\"), host, path]

    def data_root(self, run_root):
        return self.shared_data or run_root


def read_logs(data_root, run_forms):
    """The logs' lines without their time stamps and what differs from run to run."""
    lines = []
    for folder, _, files in os.walk(os.path.join(data_root, "ZEP Rendering")):
        for name in files:
            if name.endswith(".log"):
                with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as log:
                    lines += [line.rstrip("\r\n")[24:] for line in log]
    for form in run_forms:
        lines = [line.replace(form, "ROOT") for line in lines]
    for pattern, stand_in in RUN_SPECIFIC:
        lines = [pattern.sub(stand_in, line) for line in lines]
    return lines


def read_profile(path):
    """The key=value pairs of a settings file, or None when a line is not what the file holds."""
    values = {}
    with open(path, "rb") as profile:
        text = profile.read().decode("gbk", errors="strict")
    for line in text.splitlines():
        line = line.strip()
        if not line or line.startswith(";") or (line.startswith("[") and line.endswith("]")):
            continue
        if "=" not in line:
            return None
        key, value = line.split("=", 1)
        values[key.strip().lower()] = value.strip()
    return values


def settings_file(data_root):
    return os.path.join(data_root, "ZEP Rendering", "script", "pmx_plugin.ini")


def injected(result):
    """The failed operation's trace line: number, name, error code, "injected"; or None."""
    return next((line for line in result["operations"] if line[-1] == "injected"), None)


class Sweep:
    def __init__(self, options):
        self.options = options
        self.program = Program(options.build, options.wine_runner, options.wine_prefix)
        self.work = tempfile.mkdtemp(prefix="zep-faults-")
        self.broken = False  # a run that broke a rule keeps the work folder
        self.template = os.path.join(self.work, "template")
        port = free_port()
        client = os.path.join(options.client_build, "tools", "farm-client", "farm-client")
        install = [client, "install", "--root", self.template, "--port", str(port)]
        if options.seven_zip:
            install += ["--seven-zip", os.path.abspath(options.seven_zip)]
        subprocess.run(install, check=True, stdout=subprocess.DEVNULL)
        with open(options.scene, "rb") as scene:
            self.scene_bytes = scene.read()
        self.scene = json.loads(self.scene_bytes)
        self.installed = read_profile(settings_file(self.template))
        self.serve_log = open(os.path.join(self.work, "serve.log"), "w")
        serve = [client, "serve", "--root", self.template, "--port", str(port)]
        if options.wine_prefix:
            serve += ["--wine-prefix", options.wine_prefix]
        self.client = subprocess.Popen(serve, stdout=self.serve_log, stderr=subprocess.STDOUT)
        for _ in range(100):
            with open(self.serve_log.name) as log:
                if "listening" in log.read():
                    break
            time.sleep(0.1)

    def close(self):
        self.client.terminate()
        self.client.wait()
        self.serve_log.close()
        if not self.options.keep and not self.broken:
            shutil.rmtree(self.work, ignore_errors=True)

    def run(self, fault):
        """Runs the session, failing operation number `fault` (0: none); returns what it left."""
        root = os.path.join(self.work, "run-%d" % fault)
        data = self.program.data_root(root)
        shutil.rmtree(os.path.join(data, "ZEP Rendering"), ignore_errors=True)
        shutil.copytree(os.path.join(self.template, "ZEP Rendering"),
                        os.path.join(data, "ZEP Rendering"))
        scenes = os.path.join(root, "scenes")
        os.makedirs(scenes)
        with open(os.path.join(scenes, SCENE_NAME), "wb") as copy:
            copy.write(self.scene_bytes)
        steps = os.path.join(root, "session.steps")
        with open(steps, "w") as file:
            file.write(SESSION_STEPS.format(
                scene=self.program.host_path(os.path.join(scenes, SCENE_NAME))))
        trace = os.path.join(root, "trace")
        environment = dict(os.environ, PROGRAMDATA=root, ZEP_LANGUAGE="en",
                           ZEP_FAULT_TRACE=self.program.host_path(trace))
        if fault:
            environment["ZEP_FAULT_AT"] = str(fault)
        started = time.monotonic()
        process = subprocess.Popen(
            self.program.max_sim() + ["--json", "--steps", self.program.host_path(steps)],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=environment,
            start_new_session=True)
        try:
            out, err = process.communicate(timeout=TIME_LIMIT)
            hung = False
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            out, err = process.communicate()
            hung = True
        # Kept with the run's folder when the run broke a rule.
        with open(os.path.join(root, "stdout.txt"), "wb") as kept:
            kept.write(out)
        with open(os.path.join(root, "stderr.txt"), "wb") as kept:
            kept.write(err)
        result = {"root": root, "hung": hung, "code": process.returncode,
                  "seconds": time.monotonic() - started, "operations": [],
                  "stderr": err.decode("utf-8", "replace")}
        if os.path.exists(trace):
            with open(trace) as lines:
                result["operations"] = [line.split() for line in lines if line.strip()]
        try:
            result["events"] = json.loads(out.decode("utf-8", "replace"))["events"]
        except (ValueError, KeyError):
            result["events"] = None
        result["logs"] = read_logs(data, self.program.path_forms(root))
        result["products"] = self.products(root, data)
        result["broken"] = [] if hung else self.check_files(root, data)
        return result

    def products(self, root, data):
        """What the session leaves that a user relies on, with the run's own folder left out."""
        scenes = os.path.join(root, "scenes")
        files = {}
        jobs = []
        for folder, _, names in os.walk(scenes):
            place = os.path.relpath(folder, scenes)
            files[place] = len(names)
            for name in names:
                with open(os.path.join(folder, name), "rb") as file:
                    content = file.read()
                if os.path.basename(folder) == "json":
                    for form in self.program.path_forms(root):
                        content = content.replace(form.encode(), b"ROOT")
                    jobs.append(content)
                elif place == ".":
                    files[name] = content
        try:
            settings = read_profile(settings_file(data))
        except (OSError, UnicodeDecodeError):
            settings = None
        return files, sorted(jobs), settings

    @staticmethod
    def visible(result):
        events = result["events"] or []
        boxes = [event["text"] for event in events if event["event"] == "box"]
        ends = [(event["result"], event["stoppedAt"]) for event in events
                if event["event"] == "submission"]
        return boxes, ends

    def check(self, result, baseline):
        """The rules the run broke, as (kind, text) with kind crashed, hung, lost or untold."""
        if result["hung"]:
            return [("hung", "still running after %d s" % TIME_LIMIT)]
        broken = []
        report = CRASH_REPORT.search(result["stderr"])
        if result["code"] < 0:
            broken.append(("crashed", "ended by signal %d" % -result["code"]))
        elif report:
            broken.append(("crashed", result["stderr"][report.start():].splitlines()[0]))
        elif result["code"] == 3:
            broken.append(("crashed", "called the host off its thread"))
        elif result["events"] is None or result["code"] not in (0, 2):
            broken.append(("crashed", "exit code %d" % result["code"]))
        broken += result["broken"]
        # A run can make a few operations fewer than the count (the last ones depend on how the
        # plug-in's threads end): one that never reached its fault failed nothing to tell of.
        if not broken and baseline is not None and injected(result) is not None and \
                not self.told(result, baseline) and not self.absorbed(result, baseline):
            broken.append(("untold", "the session ended otherwise without a word: %s" %
                           (self.visible(result),)))
        return broken

    def check_files(self, root, data):
        broken = []
        scenes = os.path.join(root, "scenes")
        for name in (SCENE_NAME, SAVED_NAME):
            path = os.path.join(scenes, name)
            if name == SAVED_NAME and not os.path.exists(path):
                continue
            with open(path, "rb") as file:
                content = file.read()
            if content == self.scene_bytes:
                continue
            # Saved by the host (the new name, the cleaning scripts): the same scene, at most
            # without some of its malicious scripts.
            try:
                document = json.loads(content)
                names = [script["name"] for script in document.get("scripts", [])]
                original = [script["name"] for script in self.scene.get("scripts", [])]
                if document.get("analysis") != self.scene.get("analysis") or \
                        not set(names) <= set(original):
                    broken.append(("lost", name + " is no longer the user's scene"))
            except (ValueError, AttributeError):
                broken.append(("lost", name + " is not a whole scene file"))
        for folder, _, files in [*os.walk(root), *os.walk(os.path.join(data, "ZEP Rendering"))]:
            for name in files:
                path = os.path.join(folder, name)
                if name.endswith(".tmp"):
                    broken.append(("lost", "a temporary file was left: " + path))
                elif os.path.basename(folder) == "json" and "_plugin_output" in folder:
                    try:
                        with open(path, "rb") as job:
                            json.loads(job.read().decode("utf-8-sig"))
                    except ValueError:
                        broken.append(("lost", "a half-written job description: " + name))
        try:
            values = read_profile(settings_file(data))
        except (OSError, UnicodeDecodeError):
            values = None
        if values is None:
            broken.append(("lost", "the settings file is no longer readable"))
        elif any(values.get(key) != self.installed.get(key) for key in CLIENT_KEYS):
            broken.append(("lost", "the settings file lost the client's address"))
        return broken

    def told(self, result, baseline):
        """How the user heard of the failure: a message box, a printed line or a line of the
        host's MAXScript listener (which shows the interpreter's errors) that the unfaulted run
        does not show, or a new log line that names the failure; None when nobody was told."""
        for kind in ("box", "stdout", "listener"):
            known = [event["text"] for event in baseline["events"] if event["event"] == kind]
            new = [event["text"] for event in result["events"]
                   if event["event"] == kind and event["text"] not in known]
            if new:
                return kind + ": " + new[0]
        operation = injected(result)
        error = operation[2] if operation else "-"
        names = re.compile(r"(?<![0-9])%s(?![0-9])|fail|error" % error, re.IGNORECASE)
        known = set(baseline["logs"])
        new = [line for line in result["logs"] if line not in known and names.search(line)]
        return "log: " + new[0] if new else None

    def absorbed(self, result, baseline):
        """True when the failure changed nothing the user sees or relies on."""
        operation = injected(result)
        return operation is not None and operation[1] in ABSORBABLE and \
            self.visible(result) == self.visible(baseline) and \
            result["products"] == baseline["products"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the build folder of max-sim and the module")
    parser.add_argument("--client-build", help="the build folder of the Linux farm-client")
    parser.add_argument("--scene", required=True, help="the max-sim scene file of the session")
    parser.add_argument("--every", type=int, default=1, help="fail every k-th operation only")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--wine-runner", help="the script that runs a program under Wine")
    parser.add_argument("--wine-prefix", help="the Wine prefix of the runs")
    parser.add_argument("--seven-zip", help="the 7-Zip program the data folder links to")
    parser.add_argument("--only", type=int, action="append", help="fail only operation N")
    parser.add_argument("--keep", action="store_true", help="keep the runs' folders")
    parser.add_argument("--verbose", action="store_true", help="say how each fault ended")
    options = parser.parse_args()
    options.client_build = options.client_build or options.build
    if options.wine_prefix:
        options.wine_prefix = os.path.abspath(options.wine_prefix)
        options.jobs = 1  # one data folder, in the prefix

    sweep = Sweep(options)
    try:
        baseline = sweep.run(0)
        problems = sweep.check(baseline, None)
        _, ends = sweep.visible(baseline)
        if problems or not ends or ends[0][0] != 10001:
            print("the unfaulted session failed: %s %s %s" % (problems, ends, baseline["stderr"]))
            return 1
        count = len(baseline["operations"])
        print("the session makes %d operations (%.1f s)" % (count, baseline["seconds"]),
              flush=True)
        totals = {"injected": 0, "crashed": 0, "hung": 0, "lost": 0, "untold": 0}

        def one(fault):
            result = sweep.run(fault)
            broken = sweep.check(result, baseline)
            how = None
            if options.verbose and not broken:
                how = sweep.told(result, baseline) or "absorbed"
            if not broken and not options.keep:
                shutil.rmtree(result["root"], ignore_errors=True)
            elif broken:
                sweep.broken = True
            return fault, injected(result), broken, how

        faults = options.only or range(1, count + 1, options.every)
        with concurrent.futures.ThreadPoolExecutor(options.jobs) as pool:
            for fault, operation, broken, how in pool.map(one, faults):
                if operation is None and not broken:
                    continue  # this run ended before it reached the operation
                totals["injected"] += 1
                name = " ".join(operation[1:3]) if operation else "(not reached)"
                if how:
                    print("fault %d %s: %s" % (fault, name, how), flush=True)
                if broken:
                    totals[broken[0][0]] += 1
                for kind, text in broken:
                    print("fault %d %s: %s: %s (%s)" % (fault, name, kind, text,
                                                         os.path.join(sweep.work, "run-%d" % fault)),
                          flush=True)
        survived = totals["injected"] - sum(totals[kind] for kind in
                                            ("crashed", "hung", "lost", "untold"))
        line = "faults: %d injected, %d survived, %d crashed, %d hung, %d lost" % (
            totals["injected"], survived, totals["crashed"], totals["hung"], totals["lost"])
        if totals["untold"]:
            line += ", %d untold" % totals["untold"]
        print(line)
        return 0 if survived == totals["injected"] else 1
    finally:
        sweep.close()


if __name__ == "__main__":
    sys.exit(main())
