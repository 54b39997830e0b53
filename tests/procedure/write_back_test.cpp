// Inputs that a signature marks as written back: after a call, each solver variable among
// them takes the value that the routine left in its words (through Assign while its value is
// an assigned one), and the host's incremental update hears of it. Strings travel through
// the character-pointer table, which points into the procedure's own packed value buffer.
#include <cstring>

#include "tests/procedure/procedure_fixture.h"
#include "tests/procedure/test_procedures.h"

namespace norvane::test {
namespace {

class CountsChanges : public QV_IncrementalUpdate {
public:
    void VariableChanged(QV_VarParam*, int) override { ++changes; }
    int changes = 0;
};

TEST(WriteBack, RealAndIntegerInputsTakeWhatTheRoutineLeft) {
    // Writes 42 to the point and, once, to the first abscissa, which is not marked.
    ScriptedRoutine routine([](double x, double, double) { return x; }, nullptr,
                            [](double* in, const int* offsets) {
                                if (in[offsets[0]] != 42.0) in[offsets[1]] = 42.0;
                                in[offsets[0]] = 42.0;
                                const int seven = 7;
                                std::memcpy(in + offsets[3], &seven, sizeof seven);
                            });
    InterpolationCall call(0.5, {{0, 1}, {1, 2}}, 1);
    QV_REALVARIABLE modeVariable; // an integer input that is a solver variable
    QV_Value six(6.0, 0u, 0u, 1);
    modeVariable.Assign(&six);
    CountsChanges controller;
    WritingBack p("QVTestRoutines", "SCRIPT");
    p.SetUpdateController(&controller);
    call.modeVariable = &modeVariable;
    call.ListBoth(p);
    EXPECT_EQ(Residual(p), -0.5);
    EXPECT_EQ(call.point.Real(), 42.0);
    EXPECT_FALSE(call.point.IsDefaultAssignment()) << "set as its current value";
    EXPECT_EQ(modeVariable.Real(), 7.0);
    EXPECT_EQ(modeVariable.LastTagB(), 0x3E000000u) << "assigned through the host's value";
    EXPECT_EQ(controller.changes, 2);
    EXPECT_EQ(call.xs[0].Real(), 0.0) << "inputs not marked are left alone";
    EXPECT_EQ(Residual(p), -42.0) << "and their words are packed again";
    EXPECT_EQ(Residual(p), -42.0);
    EXPECT_EQ(routine.points.size(), 2u) << "the written-back values are the packed ones";
}

// A solver variable that holds a text.
class TextVariable : public QV_VarParam {
public:
    explicit TextVariable(const char* text) : QV_VarParam(SUValue::TypeText) {
        SetCurrentValue(text);
    }
    bool IsSolverVariable() const override { return true; }
};

bool g_rewrite = true;

// Reads the strings through the table, gives the sum of their lengths plus the real input,
// and, while g_rewrite holds, rewrites the scalar's field and the second element's.
void QV_STDCALL TextRoutine(int*, double* in, const int* dims, double* out, const int*,
                            const int* inOffsets, const int* outOffsets, int*, double*, int*, int*,
                            const int*, const int*, int*, double*, int* failure) {
    char* const* table = reinterpret_cast<char* const*>(in + inOffsets[0]);
    double length = 0;
    for (int k = 0; k < dims[0]; ++k)
        length += static_cast<double>(std::strlen(table[k]));
    char* scalar = reinterpret_cast<char*>(in + inOffsets[1]);
    length += static_cast<double>(std::strlen(scalar));
    out[outOffsets[0]] = length + in[inOffsets[2]];
    if (g_rewrite) {
        std::memset(scalar, ' ', QV_ProcedureType::StringSlotBytes);
        std::memcpy(scalar, "  AB", 4);
        std::strcpy(table[1], "XYZ");
    }
    *failure = 0;
}

// The arguments of the text routine: three strings, a string, a real and the output; the
// routine registered while the object lives.
struct TextCall {
    enum Scalar { Variable, Text, SetMember }; // how the string scalar is listed
    TextVariable a{"one"}, b{"three"}, c{"seven"}, scalar{"four"};
    QV_StringSetIter member{QV_StrSetValue("four\"")};
    QV_REALVARIABLE real, output;
    TextCall() {
        real.SetCurrentValue(0.5);
        member.Next();
        qvhost::RegisterRoutine("QVTestRoutines", "TEXTS", TextRoutine);
    }
    ~TextCall() { qvhost::RegisterRoutine("QVTestRoutines", "TEXTS", nullptr); }

    void ListBoth(Texts& p, Scalar form) {
        for (int pass = 0; pass < 2; ++pass) {
            p.Argument();
            for (TextVariable* v : {&a, &b, &c})
                p.Element(*v);
            p.SetDimensionSize(3);
            if (form == Variable) p.Argument(scalar);
            if (form == Text) p.Argument("four");
            if (form == SetMember) p.Argument(member);
            p.Argument(real);
            p.Argument(output);
            if (pass == 0) p.LastArgument();
        }
    }
};

TEST(WriteBack, StringsThroughTheirTable) {
    g_rewrite = true;
    TextCall call;
    Texts p("QVTestRoutines", "TEXTS");
    call.ListBoth(p, TextCall::Variable);
    const int table = (3 * QV_ProcedureType_C::StringTableEntryBytes + 7) / 8;
    EXPECT_EQ(p.GetOffset(1), table + 15) << "the table, then three 40-byte slots";
    EXPECT_EQ(p.GetOffset(3), table + 15 + 5 + 1);
    EXPECT_EQ(Residual(p), -(3 + 5 + 5 + 4 + 0.5));
    EXPECT_STREQ(call.scalar.String(), "  AB") << "trailing blanks go, leading ones stay";
    EXPECT_STREQ(call.b.String(), "XYZ");
    EXPECT_STREQ(call.a.String(), "one");
}

// A host may give no text (null) for a string variable that has none: such a variable takes
// the text of a non-empty field, and keeps having none where its field is empty.
TEST(WriteBack, StringsOfVariablesWithoutText) {
    struct NullWithoutText {
        NullWithoutText() { QV_VarParam::SetStringNullWithoutText(true); }
        ~NullWithoutText() { QV_VarParam::SetStringNullWithoutText(false); }
    } host;
    g_rewrite = true;
    TextCall call;
    for (TextVariable* v : {&call.a, &call.b, &call.scalar})
        v->SetCurrentValue("");
    CountsChanges controller;
    Texts p("QVTestRoutines", "TEXTS");
    p.SetUpdateController(&controller);
    call.ListBoth(p, TextCall::Variable);
    EXPECT_EQ(Residual(p), -(0 + 0 + 5 + 0 + 0.5));
    EXPECT_STREQ(call.scalar.String(), "  AB");
    EXPECT_STREQ(call.b.String(), "XYZ");
    EXPECT_EQ(call.a.String(), nullptr) << "an empty field writes nothing";
    EXPECT_EQ(controller.changes, 2);
}

// The table holds addresses in its own block: a copy and an assignment take a block of their
// own and must read their strings there, neither the source's nor, once it is gone, freed
// memory. The table is made when the listing ends, without InitializeCStrings. The scalar is
// a constant, as a text or as the member of a set.
TEST(WriteBack, ACopyReadsTheStringsOfItsOwnBlock) {
    g_rewrite = false;
    for (const TextCall::Scalar form : {TextCall::Text, TextCall::SetMember}) {
        TextCall call;
        auto* source = new Texts("QVTestRoutines", "TEXTS");
        call.ListBoth(*source, form);
        EXPECT_EQ(Residual(*source), -(3 + 5 + 5 + 4 + 0.5));
        auto* copy = new Texts(*source);
        Texts assigned("QVTestRoutines", "TEXTS");
        assigned = *source;
        call.c.SetCurrentValue("sevens"); // packed into each block; the source's keeps "seven"
        EXPECT_EQ(Residual(*copy), -(3 + 5 + 6 + 4 + 0.5));
        EXPECT_EQ(Residual(assigned), -(3 + 5 + 6 + 4 + 0.5));
        source->Release();
        call.a.SetCurrentValue("ones");
        EXPECT_EQ(Residual(*copy), -(4 + 5 + 6 + 4 + 0.5));
        EXPECT_EQ(Residual(assigned), -(4 + 5 + 6 + 4 + 0.5));
        copy->Release();
    }
}

} // namespace
} // namespace norvane::test
