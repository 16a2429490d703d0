#!/usr/bin/env python3
"""Writes app/startup_order.ld: the functions of the program that run from its start to its
main window shown and closed, which the linker then places side by side at the head of the
code. The kernel maps a program's code into memory in blocks of 64 KiB around every page
first touched; start-up code spread over the whole executable maps nearly all of it, the
same code side by side maps a few blocks.

Usage: tools/startup_order.py [build folder]   (needs valgrind; the program must be built)

The list goes stale slowly and harmlessly: a function renamed or added since is only placed
among the others; nothing breaks. Run this again after large changes to what start-up does.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def executed_addresses(callgrind_out, binary):
    """Instruction addresses of binary found in a callgrind file written with --dump-instr=yes."""
    names, current, last, addresses = {}, None, 0, set()
    with open(callgrind_out, encoding='utf-8', errors='replace') as f:
        for line in f:
            m = re.match(r'(c?ob)=\((\d+)\)(?: (.*))?', line)
            if m:
                if m.group(3):
                    names[m.group(2)] = m.group(3).strip()
                if m.group(1) == 'ob':
                    current = names.get(m.group(2))
                continue
            if not line or line[0] not in '0x+-*':
                continue
            token = line.split()[0]
            if token.startswith('0x'):
                last = int(token, 16)
            elif token[0] in '+-':
                last += int(token)
            if current == binary:
                addresses.add(last)
    return addresses


def functions_at(binary, addresses):
    """The function symbols whose code holds one of the addresses, in address order."""
    symbols = []
    nm = subprocess.run(['nm', '-S', '--defined-only', binary], capture_output=True, text=True, check=True)
    for line in nm.stdout.splitlines():
        parts = line.split(' ', 3)
        if len(parts) == 4 and parts[2] in 'tTwW':
            symbols.append((int(parts[0], 16), max(int(parts[1], 16), 1), parts[3]))
    symbols.sort()
    used, i = [], 0
    for address in sorted(addresses):
        while i + 1 < len(symbols) and symbols[i + 1][0] <= address:
            i += 1
        start, size, name = symbols[i]
        if start <= address < start + size and (not used or used[-1] != name):
            used.append(name)
    return list(dict.fromkeys(used))


def section_names(symbol):
    """The code sections (-ffunction-sections) a function symbol can come from."""
    base = re.sub(r'\.localalias$', '', symbol)
    thunk = re.match(r'_ZThn\d+_(.*)', base)
    candidates = [base] + (['_Z' + thunk.group(1)] if thunk else [])
    names = []
    for c in candidates:
        # Complete-object constructors and destructors share the code of the base ones.
        for v in (c, c.replace('C1E', 'C2E'), c.replace('C1I', 'C2I'), c.replace('D1E', 'D2E'),
                  c.replace('D0E', 'D2E')):
            names.append('.text.' + v)
    return names


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build'))
    binary = os.path.join(build, 'bin', 'Tarvelin')
    with tempfile.TemporaryDirectory() as temp:
        home = os.path.join(temp, 'install')
        shutil.copytree(os.path.join(ROOT, 'install'), home)
        out = os.path.join(temp, 'callgrind.out')
        env = dict(os.environ, QT_QPA_PLATFORM='offscreen', TARVELIN_AUTOCLOSE_MS='1', TARVELIN_HOME=home,
                   TARVELIN_SCRIPTED_BOXES='1')
        # Once to store the window geometry, as a user's first run does; the second is measured.
        subprocess.run([binary], env=env, check=True, capture_output=True)
        subprocess.run(['valgrind', '--tool=callgrind', '--dump-instr=yes', '--callgrind-out-file=' + out, binary],
                       env=env, check=True, capture_output=True)
        functions = functions_at(binary, executed_addresses(out, os.path.realpath(binary)))
    if len(functions) < 100:
        sys.exit('only %d functions found to have run: is %s the program, built?' % (len(functions), binary))
    # The program's code section as the linker's own script lays it out, with the start-up
    # functions first; the section keeps its name, so that tools (valgrind, this one) still
    # know the code for the program's.
    lines = ['/* Written by tools/startup_order.py: the functions that run at start-up, placed side by',
             '   side at the head of the code so that start-up maps few blocks of the executable. */',
             'SECTIONS', '{', '  .text :', '  {', '    *(.text.startup .text.startup.*)']
    seen = set()
    for f in functions:
        for s in section_names(f):
            if s not in seen:
                seen.add(s)
                lines.append('    *(%s)' % s)
    lines += ['    *(.text.unlikely .text.*_unlikely .text.unlikely.*)', '    *(.text.exit .text.exit.*)',
              '    *(.text.hot .text.hot.*)', '    *(SORT(.text.sorted.*))',
              '    *(.text .stub .text.* .gnu.linkonce.t.*)', '    *(.gnu.warning)', '  }', '}',
              'INSERT BEFORE .text;', '']
    target = os.path.join(ROOT, 'app', 'startup_order.ld')
    with open(target, 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines))
    print('%s: %d functions' % (os.path.relpath(target, ROOT), len(functions)))


if __name__ == '__main__':
    main()
