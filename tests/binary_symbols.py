"""The symbols of a built library, as the export and import checks read them: its kind, its
dynamic symbols (ELF, nm), its exports and imports (PE, pefile: run with /usr/bin/python3),
and the readable forms of decorated names."""
import os
import shutil
import subprocess


def run(*command, stdin=None, check=True):
    return subprocess.run(command, input=stdin, check=check, capture_output=True, text=True).stdout


def binary_kind(path):
    """'ELF' or 'PE' by the file's first bytes; None for any other file."""
    with open(path, "rb") as f:
        magic = f.read(4)
    if magic == b"\x7fELF":
        return "ELF"
    return "PE" if magic[:2] == b"MZ" else None


def dynamic_symbols(path, which):
    """{name: nm's type letter} of the dynamic symbol table; `which` is '--defined-only' or
    '--undefined-only'. A name loses its version ('@...')."""
    symbols = {}
    for line in run("nm", "-D", which, path).splitlines():
        fields = line.split()
        if len(fields) >= 2:
            symbols[fields[-1].split("@")[0]] = fields[-2]
    return symbols


def elf_exports(path):
    """Defined global (or weak) symbols of the dynamic symbol table."""
    return {name for name, letter in dynamic_symbols(path, "--defined-only").items()
            if letter.isupper() or letter in "ui"}


def elf_imports(library, host):
    """The undefined dynamic symbols of `library` that `host` defines."""
    return set(dynamic_symbols(library, "--undefined-only")) & set(
        dynamic_symbols(host, "--defined-only"))


def _pe(path, *directories):
    import pefile  # Debian's python3-pefile

    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY[d] for d in directories])
    return pe


def pe_exports(path):
    pe = _pe(path, "IMAGE_DIRECTORY_ENTRY_EXPORT")
    if not hasattr(pe, "DIRECTORY_ENTRY_EXPORT"):
        return set()
    return {s.name.decode() for s in pe.DIRECTORY_ENTRY_EXPORT.symbols if s.name}


def pe_imports(library, host):
    """The names that `library` imports from the DLL named like `host` (by ordinal: '#N')."""
    pe = _pe(library, "IMAGE_DIRECTORY_ENTRY_IMPORT", "IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT")
    wanted = os.path.basename(host).lower()
    names = set()
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []) + getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", []):
        if entry.dll.decode().lower() == wanted:
            names.update(i.name.decode() if i.name else f"#{i.ordinal}" for i in entry.imports)
    return names


def readable(names):
    """{name: readable form}: Itanium names through c++filt, the platform compiler's decorated
    names through llvm-undname (where it is installed), any other name, and a decorated one
    that llvm-undname cannot read, as it stands."""
    result = {n: n for n in names}
    itanium = sorted(n for n in names if n.startswith("_Z"))
    if itanium:
        result.update(zip(itanium, run("c++filt", stdin="\n".join(itanium)).splitlines()))
    decorated = sorted(n for n in names if n.startswith("?"))
    if decorated and shutil.which("llvm-undname"):
        # For each name it prints the name, then (unless it cannot read it, which makes it fail
        # in the end) its undecorated form, then an empty line.
        pending = None
        for line in run("llvm-undname", stdin="\n".join(decorated) + "\n", check=False).splitlines():
            if line in result and line.startswith("?"):
                pending = line
            elif pending and line.strip():
                result[pending], pending = line.strip(), None
    return result
