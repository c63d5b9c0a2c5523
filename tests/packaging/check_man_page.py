#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""check_man_page.py KESTROLAB_CLI MAN_PAGE: the manual page says what --help says.

Every command with its summary, every option with its value name and text, the number rules and
every exit code of `kestrolab-cli --help` must appear in the page as groff renders it, and groff
must render the page without a warning. Exits 77 (skipped) when groff is missing."""
import re
import shutil
import subprocess
import sys


def normalised(text):
    return " ".join(text.split())


def help_entries(help_text):
    """(what, expected text) pairs: commands, options, the number paragraph, exit codes."""
    entries = []
    sections = help_text.split("\n\n")
    current = None
    for line in help_text.splitlines():
        option = re.match(r"^  (--[a-z-]+)(?: ([A-Z][A-Z,]*))?\s+(.*)$", line)
        command = re.match(r"^  ([a-z]+)  (.*)$", line)
        code = re.match(r"^  ([0-9])\s+(.*)$", line)
        if option:
            head = option.group(1) + (" " + option.group(2) if option.group(2) else "")
            current = [head, head + " " + option.group(3)]
        elif code:
            current = [code.group(1), code.group(1) + " " + code.group(2)]
        elif command:
            current = [command.group(1), command.group(2)]
        elif current and line.startswith("   "):
            current[1] += " " + line.strip()
            continue
        else:
            current = None
            continue
        entries.append(current)
    numbers = next(s for s in sections if s.startswith("Numbers are read"))
    entries.append(["number rules", numbers])
    return [(what, normalised(text) + ("" if text.endswith(".") else ".")) for what, text in entries]


def main():
    cli, page = sys.argv[1], sys.argv[2]
    if shutil.which("groff") is None:
        print("groff is not installed: the manual page is not checked")
        return 77
    help_text = subprocess.run([cli, "--help"], check=True, capture_output=True,
                               text=True).stdout
    rendered = subprocess.run(["groff", "-man", "-Tascii", "-ww", "-rLL=400n", "-rHY=0", page],
                              check=True, capture_output=True, text=True,
                              env={"LC_ALL": "C", "PATH": "/usr/bin:/bin"})
    failures = []
    if rendered.stderr:
        failures.append("groff warns: " + rendered.stderr.strip())
    text = normalised(re.sub(".\b", "", rendered.stdout))
    entries = help_entries(help_text)
    if len(entries) < 20:
        failures.append(f"only {len(entries)} entries read from --help")
    for what, expected in entries:
        if expected not in text:
            failures.append(f"{what}: not in the manual page as: {expected}")
    print("\n".join(failures) if failures else f"{len(entries)} entries of --help agree")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
