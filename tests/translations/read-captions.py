#!/usr/bin/env python3
"""Starts the shell and prints the names its accessibility tree gives, one "ROLE<TAB>NAME"
a line, read over AT-SPI as a screen reader reads them.

usage: read-captions.py SHELL [ARGS...]
"""
import subprocess
import sys
import time

import pyatspi

SHELL = sys.argv[1:]
ROLES = {pyatspi.ROLE_PAGE_TAB: "tab", pyatspi.ROLE_PUSH_BUTTON: "button",
         pyatspi.ROLE_TOGGLE_BUTTON: "button", pyatspi.ROLE_CHECK_BOX: "check",
         pyatspi.ROLE_PAGE_TAB_LIST: "tablist", pyatspi.ROLE_TOOL_BAR: "toolbar",
         pyatspi.ROLE_FRAME: "window", pyatspi.ROLE_ENTRY: "entry",
         pyatspi.ROLE_TEXT: "entry", pyatspi.ROLE_LABEL: "label"}


def find_app(pid, deadline):
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid and app.childCount > 0:
                    return app
            except Exception:
                pass
        time.sleep(0.5)
    return None


def walk(node, out, depth=0):
    if node is None or depth > 60:
        return
    try:
        role, name = node.getRole(), node.name
    except Exception:
        return
    if role in ROLES and name:
        out.add("%s\t%s" % (ROLES[role], name))
    for i in range(node.childCount):
        try:
            walk(node.getChildAtIndex(i), out, depth + 1)
        except Exception:
            pass


def main():
    proc = subprocess.Popen(SHELL)
    try:
        app = find_app(proc.pid, time.time() + 60)
        if app is None:
            print("read-captions: the shell did not appear on the accessibility bus",
                  file=sys.stderr)
            return 1
        # Parts arrive as the window builds: read until two readings agree.
        names, last = set(), -1
        for _ in range(15):
            time.sleep(1)
            walk(app, names)
            if len(names) == last:
                break
            last = len(names)
        for line in sorted(names):
            print(line)
        return 0
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()


sys.exit(main())
