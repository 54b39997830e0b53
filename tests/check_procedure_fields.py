#!/usr/bin/python3
"""Checks the layout of the procedure template that generated code and the host rely on.

Usage: check_procedure_fields.py LIBRARY

Reads the procedure template's data members from the library's debugging information and
requires its first fields to be those that a procedure object holds after its host base, in
this order, one behind the other, each field that the template keeps beyond them standing after
the last of them.
"""
import sys

from binary_symbols import binary_kind
from debug_info import CLASS_TAGS, DebugInfo

CLASS = "QV_ProcedureTemplate<QVProc_INTERPOLATE, 4, 1, 2, QV_ProcedureType_C, 4>"
FIELDS = ["m_nArgElements", "m_nDimsLeft", "m_nDimCursor", "m_nFirstOutputDim", "m_aDimSizes",
          "m_nCurrentArg", "m_nBufferWords", "m_aOffsets", "m_pSavedOutputs", "m_bCountingPass",
          "m_abByRef", "m_aConstArgs", "m_pDerivRows", "m_pDerivCols", "m_bOutputsFresh"]


def same_class(name):
    return name.replace(" ", "") == CLASS.replace(" ", "")


def data_members(info):
    """[(name, offset)] of the class's first complete entry, in declaration order."""
    for entry in info.entries:
        if (entry["tag"] in CLASS_TAGS and same_class(entry.get("DW_AT_name", ""))
                and "DW_AT_declaration" not in entry):
            return [(m["DW_AT_name"], int(m["DW_AT_data_member_location"], 0))
                    for m in entry["children"]
                    if m["tag"] == "DW_TAG_member" and "DW_AT_data_member_location" in m]
    return None


def problems(members):
    if members is None:
        return [f"{CLASS}: no complete entry in the debugging information"]
    names = [name for name, _ in members]
    if names[:len(FIELDS)] != FIELDS:
        return [f"first fields {names[:len(FIELDS)]}, expected {FIELDS}"]
    offsets = [offset for _, offset in members]
    return [f"{names[k]} at {offsets[k]} does not follow {names[k - 1]} at {offsets[k - 1]}"
            for k in range(1, len(offsets)) if offsets[k] <= offsets[k - 1]]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    library = sys.argv[1]
    found = problems(data_members(DebugInfo(library, binary_kind(library))))
    for problem in found:
        print(f"{library}: {problem}", file=sys.stderr)
    if found:
        sys.exit(1)
    print(f"{library}: the procedure template's {len(FIELDS)} fields come first, in order: OK")


if __name__ == "__main__":
    main()
