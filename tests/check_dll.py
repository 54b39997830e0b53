#!/usr/bin/python3
"""Checks the Windows resources and headers of the built Norvane340_1.dll.

Usage: check_dll.py path/to/Norvane340_1.dll
Needs pefile (Debian: python3-pefile, hence /usr/bin/python3).
"""
import sys

import pefile

LANG_EN_GB = 0x0809
CODEPAGE_UNICODE = 0x04B0
FILE_VERSION = (34, 0, 0, 106)
PRODUCT_VERSION = (34, 0, 0, 0)
STRINGS = [
    ("Comments", None),  # free text
    ("CompanyName", ""),
    ("FileDescription", "Norvane340_1"),
    ("FileVersion", "34, 0, 0, 106"),
    ("InternalName", "Norvane340_1"),
    ("LegalCopyright", None),  # free text
    ("LegalTrademarks", ""),
    ("OriginalFilename", "Norvane340_1.dll"),
    ("PrivateBuild", ""),
    ("ProductName", "Norvane340_1"),
    ("ProductVersion", "34, 0, 0, 0"),
    ("SpecialBuild", ""),
]
CONTENT_XML = (b'<?xml version="1.0" encoding="UTF-8"?>\r\n'
               b"<QVTExpDLLRscContent>\r\n"
               b"  </Model>\r\n"
               b"</QVTExpDLLRscContent>\r\n")

errors = []


def expect(what, got, want):
    if got != want:
        errors.append(f"{what}: got {got!r}, expected {want!r}")


def split_version(ms, ls):
    return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def resource_leaves(pe, type_key):
    """(name, language id, data entry) of every resource of one type."""
    leaves = []
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for rtype in root.entries if root else []:
        key = str(rtype.name) if rtype.name is not None else rtype.id
        if key != type_key:
            continue
        for rname in rtype.directory.entries:
            name = str(rname.name) if rname.name is not None else rname.id
            for lang in rname.directory.entries:
                leaves.append((name, lang.id, lang.data))
    return leaves


def check_version(pe):
    leaves = resource_leaves(pe, pefile.RESOURCE_TYPE["RT_VERSION"])
    found = [(name, hex(lang)) for name, lang, _ in leaves]
    if found != [(1, hex(LANG_EN_GB))]:
        hint = " (the extra one comes from a static library linked with --whole-archive)" if len(found) > 1 else ""
        errors.append(f"version resources: got {found}, expected exactly one, name 1, language 0x0809{hint}")
    if len(getattr(pe, "VS_FIXEDFILEINFO", [])) != 1 or len(getattr(pe, "FileInfo", [])) != 1:
        errors.append("version information missing or not unique")
        return
    fixed = pe.VS_FIXEDFILEINFO[0]
    expect("file version", split_version(fixed.FileVersionMS, fixed.FileVersionLS), FILE_VERSION)
    expect("product version", split_version(fixed.ProductVersionMS, fixed.ProductVersionLS), PRODUCT_VERSION)
    expect("file flags mask", hex(fixed.FileFlagsMask), hex(0x3F))
    expect("file flags", hex(fixed.FileFlags), hex(0))
    expect("file OS", hex(fixed.FileOS), hex(0x40004))
    expect("file type", fixed.FileType, 2)
    expect("file subtype", fixed.FileSubtype, 0)

    tables, translations = [], []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            tables += info.StringTable
        elif info.Key == b"VarFileInfo":
            translations += [var.entry for var in info.Var]
    expect("string tables", [t.LangID for t in tables], [b"080904b0"])
    if tables:
        entries = [(k.decode(), v.decode()) for k, v in tables[0].entries.items()]
        expect("string keys in order", [k for k, _ in entries], [k for k, _ in STRINGS])
        for (key, value), (_, want) in zip(entries, STRINGS):
            if want is not None:
                expect(f"string {key}", value, want)
    expect("translations", translations,
           [{b"Translation": f"0x{LANG_EN_GB:04x} 0x{CODEPAGE_UNICODE:04x}"}])


def check_content(pe):
    leaves = resource_leaves(pe, "CONTENT")
    expect("CONTENT resources", [(name, hex(lang)) for name, lang, _ in leaves], [("XML", hex(LANG_EN_GB))])
    for _, _, data in leaves:
        blob = pe.get_data(data.struct.OffsetToData, data.struct.Size)
        expect("CONTENT/XML bytes", blob, CONTENT_XML)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    pe = pefile.PE(sys.argv[1])
    expect("machine", hex(pe.FILE_HEADER.Machine), hex(pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]))
    expect("is a DLL", bool(pe.FILE_HEADER.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"]), True)
    check_version(pe)
    check_content(pe)
    if errors:
        print(f"{sys.argv[1]}: {len(errors)} problem(s):", file=sys.stderr)
        for error in errors:
            print("  " + error, file=sys.stderr)
        sys.exit(1)
    print(f"{sys.argv[1]}: i386 DLL, version 34.0.0.106, en-GB string table with {len(STRINGS)} keys, "
          f"CONTENT/XML {len(CONTENT_XML)} bytes: OK")


if __name__ == "__main__":
    main()
