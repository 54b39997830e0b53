#!/usr/bin/env python3
"""The import check brings the names of both demanglers to one form, so that a name that a
list allows is allowed in either binary interface, and refuses every other import."""
import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from binary_symbols import readable  # noqa: E402
from check_imports import normalize, read_list, unlisted  # noqa: E402

# (c++filt's form, llvm-undname's form, the one form)
SAME_OPERATION = [
    ("QV_ModelType::SetLocalEqnCount(int)",
     "public: int __thiscall QV_ModelType::SetLocalEqnCount(int)",
     "QV_ModelType::SetLocalEqnCount(int)"),
    ("QV_Matrix::ReadIndex(char const*&, int&, char)",
     "public: static bool __cdecl QV_Matrix::ReadIndex(char const *&, int &, char)",
     "QV_Matrix::ReadIndex(const char*&, int&, char)"),
    ("QV_Type::AddProperty(QV_Containable*, char const*, char const*, QV_Direction, bool)",
     "public: class QV_Type * __thiscall QV_Type::AddProperty(class QV_Containable *, char const *, "
     "char const *, enum QV_Direction, bool)",
     "QV_Type::AddProperty(QV_Containable*, const char*, const char*, QV_Direction, bool)"),
    ("QV_ProcedureType::CheckIFailAndOutputs(int, QV_ProcedureType::CallType, bool)",
     "public: int __thiscall QV_ProcedureType::CheckIFailAndOutputs(int, enum QV_ProcedureType::CallType, bool)",
     "QV_ProcedureType::CheckIFailAndOutputs(int, QV_ProcedureType::CallType, bool)"),
    ("QV_PtrVectorObject::GetIDsOfNames(_GUID const&, unsigned short**, unsigned int, unsigned long, long*)",
     "public: virtual long __thiscall QV_PtrVectorObject::GetIDsOfNames(struct _GUID const &, "
     "unsigned short **, unsigned int, unsigned long, long *)",
     "QV_PtrVectorObject::GetIDsOfNames(const _GUID&, unsigned short**, unsigned int, unsigned long, long*)"),
    ("QV_ModelType::JacPattern(int*&, int*&, QV_EquationType**)",
     "public: virtual int __thiscall QV_ModelType::JacPattern(int *&, int *&, class QV_EquationType **)",
     "QV_ModelType::JacPattern(int*&, int*&, QV_EquationType**)"),
    ("QV_Set::fv() const",
     "public: class QV_SetValue const & __thiscall QV_Set::fv(void) const",
     "QV_Set::fv() const"),
    ("QV_STRINGPARAMETER::operator char const*() const",
     "public: __thiscall QV_STRINGPARAMETER::operator char const *(void) const",
     "QV_STRINGPARAMETER::operator const char*() const"),
    ("SUValue::operator>=(char const*) const",
     "public: int __thiscall SUValue::operator>=(char const *) const",
     "SUValue::operator>=(const char*) const"),
    ("IUnknown::operator delete(void*)",
     "public: static void __cdecl IUnknown::operator delete(void *)",
     "IUnknown::operator delete(void*)"),
    ("MyAllocate(unsigned int)", "void * __cdecl MyAllocate(unsigned int)", "MyAllocate(unsigned int)"),
    ("QV_ProcedureType::GetProcedure13Address(DLLFunction*)",
     "public: void (__stdcall * __thiscall QV_ProcedureType::GetProcedure13Address(struct "
     "DLLFunction *))(int *, double *, int const *)",
     "QV_ProcedureType::GetProcedure13Address(DLLFunction*)"),
    ("f(long long, unsigned long long, char const* const*)",
     "void __cdecl f(__int64, unsigned __int64, char const *const *)",
     "f(long long, unsigned long long, const char* const*)"),
    ("QV_ModelType::m_stLastGroup", "public: static int QV_ModelType::m_stLastGroup",
     "QV_ModelType::m_stLastGroup"),
    # A destructor in each form that either compiler emits; a thunk as its operation.
    ("QV_Matrix::~QV_Matrix()",
     "public: virtual void * __thiscall QV_Matrix::`scalar deleting dtor'(unsigned int)",
     "QV_Matrix::~QV_Matrix()"),
    ("QV_Matrix::~QV_Matrix()",
     "public: virtual void * __thiscall QV_Matrix::`vector deleting destructor'(unsigned int)",
     "QV_Matrix::~QV_Matrix()"),
    ("non-virtual thunk to QV_PtrVectorObject::AddRef()",
     "[thunk]: public: virtual unsigned long __thiscall QV_PtrVectorObject::AddRef`adjustor{4}' (void)",
     "QV_PtrVectorObject::AddRef()"),
    # Tables and type information.
    ("vtable for QV_ModelTypeEx2", "const QV_ModelTypeEx2::`vftable'{for `QV_ModelExtensions'}",
     "vtable for QV_ModelTypeEx2"),
    ("typeinfo for QV_Matrix", "class QV_Matrix `RTTI Type Descriptor'", "typeinfo for QV_Matrix"),
    ("typeinfo name for QV_Matrix", "const QV_Matrix::`RTTI Complete Object Locator'",
     "typeinfo for QV_Matrix"),
    ("typeinfo for QV_Matrix", "QV_Matrix::`RTTI Base Class Descriptor at (0, -1, 0, 64)'",
     "typeinfo for QV_Matrix"),
]


class Normalize(unittest.TestCase):
    def test_both_demanglers_give_one_form(self):
        for itanium, platform, expected in SAME_OPERATION:
            with self.subTest(expected):
                self.assertEqual(normalize(itanium), expected)
                self.assertEqual(normalize(platform), expected)

    def test_the_one_form_stays_as_it_is(self):
        for _, _, expected in SAME_OPERATION:
            self.assertEqual(normalize(expected), expected)

    def test_what_tells_operations_apart_is_kept(self):
        self.assertNotEqual(normalize("QV_Set::fv() const"), normalize("QV_Set::fv()"))
        self.assertNotEqual(normalize("f(char const*)"), normalize("f(char*)"))
        self.assertNotEqual(normalize("f(char const* const*)"), normalize("f(char const**)"))
        self.assertNotEqual(normalize("QV_VarParam::Real() const"), normalize("QV_VarParamProp::Real() const"))
        self.assertNotEqual(normalize("QV_INTEGERSET::QV_INTEGERSET()"),
                            normalize("QV_INTEGERSET::QV_INTEGERSET(bool)"))
        # A default-constructor closure stands for the constructor without arguments.
        self.assertEqual(normalize("public: void __thiscall QV_INTEGERSET::`default ctor closure'(void)"),
                         "QV_INTEGERSET::QV_INTEGERSET()")

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
    ALLOWED = {normalize(n) for n in ("QV_Matrix::AddElement()", "MyFree(void*)",
                                      "SUValue::operator>=(char const*) const", "typeinfo for SUValue")}

    def test_an_import_off_the_list_is_refused(self):
        imports = {"QV_Matrix::AddElement()", "MyFree(void*)", "SUValue::IntegerAt(int) const"}
        self.assertEqual(unlisted(imports, self.ALLOWED), ["SUValue::IntegerAt(int) const"])

    def test_tables_come_with_a_listed_member_only(self):
        imports = {"vtable for QV_Matrix", "typeinfo for QV_Matrix", "typeinfo for SUValue",
                   "vtable for QV_ModelDiscontinuity", "typeinfo for MyFree"}
        self.assertEqual(unlisted(imports, self.ALLOWED),
                         ["typeinfo for MyFree", "vtable for QV_ModelDiscontinuity"])

    def test_a_list_takes_either_spelling_and_comments(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
            f.write("# allocation\nMyAllocate(unsigned)  # the host's\n\n"
                    "QV_Matrix::ReadIndex(char const *&, int &, char)\n")
        try:
            self.assertEqual(read_list(f.name), {"MyAllocate(unsigned int)",
                                                 "QV_Matrix::ReadIndex(const char*&, int&, char)"})
        finally:
            os.unlink(f.name)


if __name__ == "__main__":
    unittest.main()
