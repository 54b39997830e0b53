#!/usr/bin/env python3
"""The import check reads the names of both demanglers and the list's entries into one form, and
refuses every import whose signature the list does not hold: in the platform compiler's
decoration the whole signature, in the Itanium mangling what the name carries. Given both
platform builds, it also refuses every entry that is not virtual and that neither imports."""
import contextlib
import io
import os
import shutil
import sys
import tempfile
import unittest
from unittest import mock

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from binary_symbols import readable  # noqa: E402
import check_imports  # noqa: E402
from check_imports import parse, read_list, unimported, unlisted  # noqa: E402

# (c++filt's form, llvm-undname's form, the whole signature)
SAME_OPERATION = [
    ("QV_ModelType::SetLocalEqnCount(int)",
     "public: int __thiscall QV_ModelType::SetLocalEqnCount(int)",
     "int QV_ModelType::SetLocalEqnCount(int)"),
    ("QV_Matrix::ReadIndex(char const*&, int&, char)",
     "public: static bool __cdecl QV_Matrix::ReadIndex(char const *&, int &, char)",
     "static bool QV_Matrix::ReadIndex(const char*&, int&, char)"),
    ("QV_Type::AddProperty(QV_Containable*, char const*, char const*, QV_Direction, bool)",
     "public: class QV_Type * __thiscall QV_Type::AddProperty(class QV_Containable *, char const *, "
     "char const *, enum QV_Direction, bool)",
     "QV_Type* QV_Type::AddProperty(QV_Containable*, const char*, const char*, QV_Direction, bool)"),
    ("QV_ProcedureType::CheckIFailAndOutputs(int, QV_ProcedureType::CallType, bool)",
     "public: int __thiscall QV_ProcedureType::CheckIFailAndOutputs(int, enum QV_ProcedureType::CallType, bool)",
     "int QV_ProcedureType::CheckIFailAndOutputs(int, QV_ProcedureType::CallType, bool)"),
    ("QV_PtrVectorObject::GetIDsOfNames(_GUID const&, unsigned short**, unsigned int, unsigned long, long*)",
     "public: virtual long __thiscall QV_PtrVectorObject::GetIDsOfNames(struct _GUID const &, "
     "unsigned short **, unsigned int, unsigned long, long *)",
     "virtual long QV_PtrVectorObject::GetIDsOfNames(const _GUID&, unsigned short**, unsigned int, unsigned long, long*)"),
    ("QV_VarParamProp::Assign(QV_Value*)",
     "public: virtual enum QV_AssignStatus __thiscall QV_VarParamProp::Assign(class QV_Value *)",
     "virtual QV_AssignStatus QV_VarParamProp::Assign(QV_Value*)"),
    ("QV_Set::fv() const",
     "public: class QV_SetValue const & __thiscall QV_Set::fv(void) const",
     "const QV_SetValue& QV_Set::fv() const"),
    ("QV_STRINGPARAMETER::operator char const*() const",
     "public: char const * __thiscall QV_STRINGPARAMETER::operator char const *(void) const",
     "QV_STRINGPARAMETER::operator const char*() const"),
    ("SUValue::operator>=(char const*) const",
     "public: int __thiscall SUValue::operator>=(char const *) const",
     "int SUValue::operator>=(const char*) const"),
    ("IUnknown::operator delete(void*)", "public: static void __cdecl IUnknown::operator delete(void *)",
     "static void IUnknown::operator delete(void*)"),
    ("MyAllocate(unsigned int)", "void * __cdecl MyAllocate(unsigned int)", "void* MyAllocate(unsigned int)"),
    ("QV_ProcedureType::GetProcedure13Address(DLLFunction*)",
     "public: void (__stdcall * __thiscall QV_ProcedureType::GetProcedure13Address(struct "
     "DLLFunction *))(int *, double *, int const *)",
     "void (*)(int*, double*, const int*) QV_ProcedureType::GetProcedure13Address(DLLFunction*)"),
    ("f(long long, unsigned long long, char const* const*)",
     "void __cdecl f(__int64, unsigned __int64, char const *const *)",
     "void f(long long, unsigned long long, const char* const*)"),
    ("QV_ModelType::m_stLastGroup", "public: static int QV_ModelType::m_stLastGroup",
     "static int QV_ModelType::m_stLastGroup"),
    ("QV_IntSetValue::QV_IntSetValue(int, int)", "public: __thiscall QV_IntSetValue::QV_IntSetValue(int, int)",
     "QV_IntSetValue::QV_IntSetValue(int, int)"),
    # A destructor in each form that either compiler emits; a thunk as its operation.
    ("QV_Matrix::~QV_Matrix()", "public: virtual __thiscall QV_Matrix::~QV_Matrix(void)",
     "virtual QV_Matrix::~QV_Matrix()"),
    ("QV_Matrix::~QV_Matrix()",
     "public: virtual void * __thiscall QV_Matrix::`scalar deleting dtor'(unsigned int)",
     "virtual QV_Matrix::~QV_Matrix()"),
    ("QV_Matrix::~QV_Matrix()",
     "public: virtual void * __thiscall QV_Matrix::`vector deleting destructor'(unsigned int)",
     "virtual QV_Matrix::~QV_Matrix()"),
    ("non-virtual thunk to QV_PtrVectorObject::AddRef()",
     "[thunk]: public: virtual unsigned long __thiscall QV_PtrVectorObject::AddRef`adjustor{4}' (void)",
     "virtual unsigned long QV_PtrVectorObject::AddRef()"),
    # Tables and type information.
    ("vtable for QV_ModelTypeEx2", "const QV_ModelTypeEx2::`vftable'{for `QV_ModelExtensions'}",
     "vtable for QV_ModelTypeEx2"),
    ("typeinfo for QV_Matrix", "class QV_Matrix `RTTI Type Descriptor'", "typeinfo for QV_Matrix"),
    ("typeinfo name for QV_Matrix", "const QV_Matrix::`RTTI Complete Object Locator'",
     "typeinfo for QV_Matrix"),
    ("typeinfo for QV_Matrix", "QV_Matrix::`RTTI Base Class Descriptor at (0, -1, 0, 64)'",
     "typeinfo for QV_Matrix"),
]

# Entries of a list, and imports in the platform compiler's decoration that differ from one of
# them in one part of the signature each.
LISTED = ["virtual QV_AssignStatus QV_VarParamProp::Assign(QV_Value*)",
          "virtual QV_Type* QV_Type::UnsetIsToBeExported()",
          "void QV_ModelType::SetGroupLimits(int)",
          "virtual const char* QV_PtrVectorObject::Name() const",
          "bool QV_Containable::IsToBeExported() const",
          "static int SUValue::CompareCI(const char*, const char*)",
          "static int QV_ModelType::m_stLastGroup",
          "virtual QV_Matrix::~QV_Matrix()",
          "QV_INTEGERSET::QV_INTEGERSET()"]
DECORATED_LISTED = ["?Assign@QV_VarParamProp@@UAE?AW4QV_AssignStatus@@PAVQV_Value@@@Z",
                    "?UnsetIsToBeExported@QV_Type@@UAEPAV1@XZ", "?SetGroupLimits@QV_ModelType@@QAEXH@Z",
                    "?Name@QV_PtrVectorObject@@UBEPBDXZ", "?IsToBeExported@QV_Containable@@QBE_NXZ",
                    "?CompareCI@SUValue@@SAHPBD0@Z", "?m_stLastGroup@QV_ModelType@@2HA",
                    "??_GQV_Matrix@@UAEPAXI@Z", "??_FQV_INTEGERSET@@QAEXXZ"]
DECORATED_WRONG = {
    "result": "?Assign@QV_VarParamProp@@UAEHPAVQV_Value@@@Z",
    "not virtual": "?UnsetIsToBeExported@QV_Type@@QAEPAV1@XZ",
    "virtual": "?SetGroupLimits@QV_ModelType@@UAEXH@Z",
    "owner": "?Name@QV_ProcedureType@@UBEPBDXZ",
    "const": "?IsToBeExported@QV_Containable@@QAE_NXZ",
    "static": "?CompareCI@SUValue@@QAEHPBD0@Z",
}
# The same in the Itanium mangling, which carries neither result nor virtual nor static.
ITANIUM_LISTED = ["_ZN15QV_VarParamProp6AssignEP8QV_Value", "_ZN7QV_Type19UnsetIsToBeExportedEv",
                  "_ZN12QV_ModelType14SetGroupLimitsEi", "_ZNK18QV_PtrVectorObject4NameEv",
                  "_ZNK14QV_Containable14IsToBeExportedEv", "_ZN7SUValue9CompareCIEPKcS1_",
                  "_ZN12QV_ModelType13m_stLastGroupE", "_ZN9QV_MatrixD0Ev"]
ITANIUM_WRONG = {"owner": "_ZNK16QV_ProcedureType4NameEv", "const": "_ZN14QV_Containable14IsToBeExportedEv",
                 "parameters": "_ZN12QV_ModelType14SetGroupLimitsEj"}


def signatures(names):
    texts = readable(names)
    return [parse(texts[n]) for n in names]


class Parse(unittest.TestCase):
    def test_both_demanglers_give_one_form(self):
        for itanium, platform, expected in SAME_OPERATION:
            with self.subTest(expected):
                self.assertEqual(str(parse(platform)), expected)
                self.assertEqual(parse(itanium).reduced(), parse(expected).reduced())

    def test_the_one_form_stays_as_it_is(self):
        for _, _, expected in SAME_OPERATION:
            self.assertEqual(str(parse(expected)), expected)

    def test_what_tells_operations_apart_is_kept(self):
        different = [("const QV_SetValue& QV_Set::fv() const", "const QV_SetValue& QV_Set::fv()"),
                     ("void f(const char*)", "void f(char*)"),
                     ("void f(const char* const*)", "void f(const char**)"),
                     ("double QV_VarParam::Real() const", "double QV_VarParamProp::Real() const"),
                     ("QV_INTEGERSET::QV_INTEGERSET()", "QV_INTEGERSET::QV_INTEGERSET(bool)"),
                     ("virtual int QV_Type::PortCount(bool) const", "int QV_Type::PortCount(bool) const"),
                     ("static bool QV_X::f()", "bool QV_X::f()"),
                     ("const QV_Value* QV_X::f()", "QV_Value* QV_X::f()"),
                     ("void (*)(int*) QV_X::f()", "void (*)(const int*) QV_X::f()")]
        for first, second in different:
            with self.subTest(first):
                self.assertNotEqual(parse(first), parse(second))

    def test_a_default_constructor_closure_stands_for_its_class_constructor(self):
        closure = parse("public: void __thiscall QV_INTEGERSET::`default ctor closure'(void)")
        self.assertEqual((closure.name, closure.kind), ("QV_INTEGERSET::QV_INTEGERSET", "closure"))

    def test_itanium_names_are_demangled(self):
        names = readable(["_ZN12QV_ModelType16SetLocalEqnCountEi", "MyAllocate"])
        self.assertEqual(names["_ZN12QV_ModelType16SetLocalEqnCountEi"],
                         "QV_ModelType::SetLocalEqnCount(int)")
        self.assertEqual(names["MyAllocate"], "MyAllocate")

    @unittest.skipUnless(shutil.which("llvm-undname"), "llvm-undname is not installed")
    def test_a_decorated_name_that_cannot_be_read_stands_as_it_is(self):
        names = readable(["?QV_Bad", "??_GQV_DOMAIN@@UAEPAXI@Z", "?f@@YAXXZ"])
        self.assertEqual(names["?QV_Bad"], "?QV_Bad")
        self.assertEqual(names["??_GQV_DOMAIN@@UAEPAXI@Z"],
                         "public: virtual void * __thiscall QV_DOMAIN::`scalar deleting dtor'(unsigned int)")
        self.assertEqual(names["?f@@YAXXZ"], "void __cdecl f(void)")


class Unlisted(unittest.TestCase):
    ALLOWED = {parse(n) for n in LISTED}

    @unittest.skipUnless(shutil.which("llvm-undname"), "llvm-undname is not installed")
    def test_the_platform_decoration_must_match_the_whole_signature(self):
        self.assertEqual(unlisted(signatures(DECORATED_LISTED), self.ALLOWED), [])
        for part, name in DECORATED_WRONG.items():
            with self.subTest(part):
                self.assertEqual(len(unlisted(signatures([name]), self.ALLOWED)), 1)

    def test_an_itanium_name_must_match_what_it_carries(self):
        self.assertEqual(unlisted(signatures(ITANIUM_LISTED), self.ALLOWED, whole=False), [])
        for part, name in ITANIUM_WRONG.items():
            with self.subTest(part):
                self.assertEqual(len(unlisted(signatures([name]), self.ALLOWED, whole=False)), 1)

    def test_a_closure_needs_a_listed_constructor_and_a_deleting_destructor_a_virtual_one(self):
        allowed = {parse("QV_Matrix::~QV_Matrix()")}
        closure = parse("public: void __thiscall QV_INTEGERSET::`default ctor closure'(void)")
        deleting = parse("public: virtual void * __thiscall QV_Matrix::`scalar deleting dtor'(unsigned int)")
        self.assertEqual(unlisted([deleting, closure], allowed), [closure, deleting])

    def test_tables_come_with_a_listed_member_only(self):
        imports = [parse(n) for n in ("vtable for QV_Matrix", "typeinfo for QV_Matrix", "typeinfo for SUValue",
                                      "vtable for QV_ModelDiscontinuity", "typeinfo for MyFree")]
        self.assertEqual([str(s) for s in unlisted(imports, self.ALLOWED)],
                         ["typeinfo for MyFree", "vtable for QV_ModelDiscontinuity"])

    def test_a_list_takes_either_spelling_and_comments(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write("## Allocation\nvoid* MyAllocate(unsigned)  # the host's\n\n"
                    "static bool QV_Matrix::ReadIndex(char const *&, int &, char)\n")
        try:
            self.assertEqual({str(s) for s in read_list(f.name)},
                             {"void* MyAllocate(unsigned int)",
                              "static bool QV_Matrix::ReadIndex(const char*&, int&, char)"})
        finally:
            os.unlink(f.name)

    def test_the_host_list_reads_back_as_it_is_written(self):
        path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "host_operations.txt")
        with open(path) as f:
            entries = [line.split("#", 1)[0].strip() for line in f]
        entries = [e for e in entries if e]
        self.assertEqual([str(parse(e)) for e in entries], entries)
        self.assertEqual(len(set(entries)), len(entries))


class BothBuilds(unittest.TestCase):
    ALLOWED = {parse(n) for n in LISTED}
    # The entries of LISTED that are neither virtual nor a table.
    NOT_VIRTUAL = {"void QV_ModelType::SetGroupLimits(int)", "bool QV_Containable::IsToBeExported() const",
                   "static int SUValue::CompareCI(const char*, const char*)",
                   "static int QV_ModelType::m_stLastGroup", "QV_INTEGERSET::QV_INTEGERSET()"}

    def imports(self, entries):
        return {parse(e) for e in entries}

    def test_an_entry_that_is_not_virtual_must_be_imported_by_one_build(self):
        optimised = self.imports(["void QV_ModelType::SetGroupLimits(int)",
                                  "static int QV_ModelType::m_stLastGroup"])
        unoptimised = self.imports(self.NOT_VIRTUAL - {"static int QV_ModelType::m_stLastGroup"})
        self.assertEqual(unimported(optimised | unoptimised, self.ALLOWED), [])
        for entry in sorted(self.NOT_VIRTUAL):
            with self.subTest(entry):
                seen = self.imports(self.NOT_VIRTUAL - {entry})
                self.assertEqual([str(s) for s in unimported(seen, self.ALLOWED)], [entry])

    def test_virtual_operations_and_tables_need_no_import(self):
        allowed = self.ALLOWED | {parse("typeinfo for QV_ModelExtensions")}
        self.assertEqual(unimported(self.imports(self.NOT_VIRTUAL), allowed), [])

    def test_an_itanium_import_stands_for_the_entry_it_names(self):
        seen = set(signatures(ITANIUM_LISTED + ["_ZN13QV_INTEGERSETC1Ev"]))
        self.assertEqual(unimported(seen, self.ALLOWED, whole=False), [])
        self.assertEqual([str(s) for s in unimported(seen - {parse("QV_ModelType::SetGroupLimits(int)")},
                                                     self.ALLOWED, whole=False)],
                         ["void QV_ModelType::SetGroupLimits(int)"])

    def run_check(self, imports_of):
        """The exit status and error output of the check of two builds whose imports are
        imports_of[library]."""
        def host_imports(library, host):
            imports = {parse(e): [e] for e in imports_of[library]}
            return "PE", set(imports_of[library]), imports, True

        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write("\n".join(LISTED) + "\n")
        errors = io.StringIO()
        argv = ["check_imports.py", "debug.dll", "qvcore.dll", f.name, "--other-build", "release.dll"]
        try:
            with mock.patch.object(check_imports, "host_imports", host_imports), \
                    mock.patch.object(sys, "argv", argv), contextlib.redirect_stderr(errors), \
                    contextlib.redirect_stdout(io.StringIO()), self.assertRaises(SystemExit) as status:
                check_imports.main()
        finally:
            os.unlink(f.name)
        return status.exception.code, errors.getvalue()

    def test_the_check_of_two_builds_refuses_both_faults(self):
        every = sorted(self.NOT_VIRTUAL)
        self.assertEqual(self.run_check({"debug.dll": every[:2], "release.dll": every[2:]})[0], 0)
        code, errors = self.run_check({"debug.dll": every[:2], "release.dll": every[3:]})
        self.assertEqual(code, 1)
        self.assertIn("neither", errors)
        self.assertIn(every[2], errors)
        code, errors = self.run_check({"debug.dll": every, "release.dll": every + ["void QV_X::Unlisted()"]})
        self.assertEqual(code, 1)
        self.assertIn("release.dll: 1 import(s)", errors)
        self.assertIn("void QV_X::Unlisted()", errors)


if __name__ == "__main__":
    unittest.main()
