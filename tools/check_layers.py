#!/usr/bin/env python3
"""Checks every include of the program's folders against the layer table: a folder may
include only itself and the folders it may use, so the libraries have no cycles. Storage,
workstation loading and the QtCore part of platform include none of the dialog seams.
Prints each offending include and exits non-zero when there is one."""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Folder -> the folders it may use (besides itself); None: any.
MAY_USE = {
    'app': None,
    'shell': {'printouts', 'workstations', 'assessment', 'workstation_loading', 'appstate', 'widgets', 'storage',
              'platform'},
    # never a view nor the loading: the dialogs are handed what they print
    'printouts': {'reportengine', 'appstate', 'widgets', 'storage', 'platform'},
    'workstations': {'assessment', 'workstation_loading', 'appstate', 'widgets', 'storage', 'platform'},
    'assessment': {'workstation_loading', 'appstate', 'widgets', 'storage', 'platform'},
    'workstation_loading': {'appstate', 'storage', 'platform'},
    'appstate': {'widgets', 'storage', 'platform'},
    'reportengine': {'platform'},
    'widgets': {'platform'},
    'storage': {'platform'},
    'platform': set(),
}

# The dialog seams of platform (the library that needs Qt Widgets); the rest of platform,
# all of storage and the workstation loading (problems go back to the caller) must do
# without them.
DIALOG_SEAMS = {'application', 'clipboard', 'dialog_runner', 'file_dialogs', 'launcher', 'prompter',
                'window_registry'}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of_include(path):
    return path.split('/', 1)[0] if '/' in path else None


def main():
    problems = []
    for folder, allowed in MAY_USE.items():
        base = os.path.join(ROOT, folder)
        for dirpath, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp')):
                    continue
                full = os.path.join(dirpath, name)
                rel = os.path.relpath(full, ROOT).replace(os.sep, '/')
                stem = os.path.splitext(name)[0]
                core_file = folder in ('storage', 'workstation_loading') or (
                    folder == 'platform' and stem not in DIALOG_SEAMS)
                with open(full, encoding='utf-8', errors='replace') as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = m.group(1)
                        used = folder_of_include(target)
                        if used is None or used not in MAY_USE:
                            continue  # a header of the same folder, or not one of ours
                        if used != folder and allowed is not None and used not in allowed:
                            problems.append(f'{rel}:{number}: {folder}/ may not include "{target}"')
                        if core_file and used == 'platform':
                            seam = os.path.splitext(os.path.basename(target))[0]
                            if seam in DIALOG_SEAMS:
                                problems.append(f'{rel}:{number}: {folder}/ may not include the dialog seam "{target}"')
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
