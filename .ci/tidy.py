#!/usr/bin/env python3
"""Runs clang-tidy over the project's files in a build's compile database, two at a time,
skipping every file whose last check found nothing and whose input is unchanged: the key is
the file's preprocessed text, the .clang-tidy configuration and clang-tidy's version. Findings
are printed and the exit status is 1; clean files are remembered in the cache folder.

    .ci/tidy.py BUILD_DIR [CACHE_DIR]
"""
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OURS = re.compile(re.escape(ROOT) + r"/(src|tests|fuzz|bench)/")


def arguments(entry):
    return entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])


def without_pch(args):
    """The compiler's words without a precompiled header, which clang cannot read from GCC."""
    out, i = [], 0
    while i < len(args):
        if args[i] == "-include" and i + 1 < len(args) and "cmake_pch" in args[i + 1]:
            i += 2
            continue
        if args[i] == "-Winvalid-pch" or (args[i].startswith("-include") and "cmake_pch" in args[i]):
            i += 1
            continue
        out.append(args[i])
        i += 1
    return out


def preprocessed(entry, args):
    """The file as the compiler sees it after its includes and macros."""
    command, i = [], 0
    while i < len(args):
        if args[i] == "-o":
            i += 2
            continue
        if args[i] == "-c":
            i += 1
            continue
        command.append(args[i])
        i += 1
    command += ["-E", "-P"]
    result = subprocess.run(command, cwd=entry["directory"], capture_output=True)
    return result.stdout if result.returncode == 0 else None


def main():
    build = os.path.abspath(sys.argv[1])
    cache = sys.argv[2] if len(sys.argv) > 2 else os.path.expanduser("~/.cache/hoops-tidy")
    os.makedirs(cache, exist_ok=True)
    with open(os.path.join(build, "compile_commands.json")) as f:
        entries = [e for e in json.load(f) if OURS.match(os.path.abspath(
            os.path.join(e["directory"], e["file"])))]
    version = subprocess.run(["clang-tidy", "--version"], capture_output=True).stdout
    with open(os.path.join(ROOT, ".clang-tidy"), "rb") as f:
        config = f.read()
    # clang-tidy reads a database of commands without the GCC precompiled header.
    database = tempfile.mkdtemp(prefix="hoops-tidy-")
    cleaned = []
    for entry in entries:
        clean = dict(entry)
        clean.pop("command", None)
        clean["arguments"] = without_pch(arguments(entry))
        cleaned.append(clean)
    with open(os.path.join(database, "compile_commands.json"), "w") as f:
        json.dump(cleaned, f)

    def check(entry):
        text = preprocessed(entry, entry["arguments"])
        key = None
        if text is not None:
            # The clone's own folder, wherever it is, counts for nothing: every run of CI is
            # in a fresh clone elsewhere.
            text = text.replace(ROOT.encode(), b"<root>")
            name = os.path.relpath(os.path.join(entry["directory"], entry["file"]), ROOT)
            digest = hashlib.sha256()
            for part in (version, config, name.encode(), text):
                digest.update(hashlib.sha256(part).digest())
            key = os.path.join(cache, digest.hexdigest())
            if os.path.exists(key):
                return entry["file"], True, None
        result = subprocess.run(["clang-tidy", "-p", database, "--quiet", entry["file"]],
                                capture_output=True, text=True)
        findings = "\n".join(
            line for line in (result.stdout + result.stderr).splitlines()
            if not re.match(r"^(\d+ warnings? generated|Suppressed|Use -header-filter)", line))
        clean = result.returncode == 0 and not re.search(r"(warning|error):", findings)
        if clean and key is not None:
            open(key, "w").close()
        return entry["file"], clean, findings

    failed, cached = [], 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for name, clean, findings in pool.map(check, cleaned):
            cached += findings is None
            if not clean:
                failed.append(name)
                print(findings)
    print(f"clang-tidy: {len(cleaned)} files, {cached} unchanged since a clean check, "
          f"{len(failed)} with findings")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
