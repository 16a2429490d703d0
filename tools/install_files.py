"""What the generators of the installation content share: where install/ is, the
declaration line, and writing a file as the program reads it (Windows-1250, CR LF)."""
import os

INSTALL = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'install')
DECL = '<?xml version="1.0" encoding="Windows-1250" standalone="yes" ?>'


def install_path(stored):
    """The file of a stored path ("zaklocen\\frm\\x.xml") below install/."""
    return os.path.join(INSTALL, *stored.replace('\\', '/').split('/'))


def write_file(path, lines):
    """Writes lines to a file path, each ended by CR LF, in Windows-1250."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(''.join(line + '\r\n' for line in lines).encode('cp1250'))


def write_lines(stored, lines):
    """Writes lines to the file of a stored path below install/."""
    write_file(install_path(stored), lines)
