#!/usr/bin/env python3
"""Checks every include of the program's folders against the layer table: a folder may
include only itself and the folders it may use, so the libraries have no cycles. Storage,
workstation loading and the QtCore part of platform include none of the dialog seams; the
report engine's core includes neither them nor the engine's user interface. The evaluation
rules reach their form only through the form interface. Prints each offending include and
exits non-zero when there is one. The process-wide state (appstate::State()) belongs to
start-up: only app/ and shell/ reach it; every view is handed its state by whoever makes it."""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Folder -> the folders it may use (besides itself); None: any.
MAY_USE = {
    'app': None,
    'shell': {'printouts', 'workstations', 'assessment', 'workstation_loading', 'appstate', 'reportengine', 'widgets',
              'storage', 'platform'},
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

# The evaluation rules (assessment/rules/) read and write their form only through the form
# interface and rate through the ratings module: besides their own folder they use these
# headers of assessment/ and storage/, so a rule never reaches a widget, a view or a message
# box.
RULES = 'assessment/rules/'
RULES_MAY_INCLUDE = {'assessment/form_access.h', 'assessment/risk_ratings.h'}
RULES_MAY_USE = {'storage'}

# The report engine's user interface (tarvelin_reportengine, on top of its core): only
# printouts and shell use the engine at all, and they may use both libraries.


def reportengine_ui_files():
    """The files of the engine's user interface, as reportengine/CMakeLists.txt names them
    (the one list), and the file that puts it in force."""
    with open(os.path.join(ROOT, 'reportengine', 'CMakeLists.txt'), encoding='utf-8') as f:
        m = re.search(r'set\(TARVELIN_REPORTENGINE_UI\s([^)]*)\)', f.read())
    if not m:
        sys.exit('reportengine/CMakeLists.txt no longer names TARVELIN_REPORTENGINE_UI')
    return set(m.group(1).split()) | {'vr_install_standard_ui'}


REPORTENGINE_UI = reportengine_ui_files()

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')

# The folders that may reach the process-wide state, and how a use of it reads.
STATE_USERS = {'app', 'shell'}
STATE_USE = re.compile(r'\bappstate::State\(\)|(?<![\w:.>])State\(\)')
STATE_DEFINITION = re.compile(r'\bAppState\s*&\s*State\(\)')


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
                engine_core_file = folder == 'reportengine' and stem not in REPORTENGINE_UI
                with open(full, encoding='utf-8', errors='replace') as f:
                    for number, line in enumerate(f, 1):
                        if folder not in STATE_USERS and not line.lstrip().startswith('//'):
                            code = line.split('//', 1)[0]
                            if STATE_USE.search(code) and not STATE_DEFINITION.search(code):
                                problems.append(f'{rel}:{number}: {folder}/ may not reach the process-wide state')
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = m.group(1)
                        used = folder_of_include(target)
                        if used is None or used not in MAY_USE:
                            continue  # a header of the same folder, or not one of ours
                        if used != folder and allowed is not None and used not in allowed:
                            problems.append(f'{rel}:{number}: {folder}/ may not include "{target}"')
                        if rel.startswith(RULES) and not (target.startswith(RULES) or target in RULES_MAY_INCLUDE
                                                          or used in RULES_MAY_USE):
                            problems.append(f'{rel}:{number}: {RULES} may not include "{target}"')
                        if core_file and used == 'platform':
                            seam = os.path.splitext(os.path.basename(target))[0]
                            if seam in DIALOG_SEAMS:
                                problems.append(f'{rel}:{number}: {folder}/ may not include the dialog seam "{target}"')
                        if engine_core_file and used in ('platform', 'reportengine'):
                            used_stem = os.path.splitext(os.path.basename(target))[0]
                            if used_stem in (DIALOG_SEAMS if used == 'platform' else REPORTENGINE_UI):
                                problems.append(f'{rel}:{number}: the report engine\'s core may not include "{target}"')
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
