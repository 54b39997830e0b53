// Fuzz target: the interpolation procedure through its whole life, as generated code and the
// host drive it, for any argument list, table and mode (procedure_decode.h): the host objects,
// the procedure constructed, its listing (on a copy after the counting pass, when the input
// says so), its owner's equation passes, then pre-calls, residuals, Jacobians, calls of any
// type, new values, variables fixed and freed, host settings, copies and InitializeCStrings in
// any order, a refused allocation among them, and a last residual and Jacobian. INTERP is
// watched as it is called. Each step is judged as it ends, against the listing's class and the
// expectation of procedure_oracle.h; every block the life takes must be back at its end.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "framework/library_new.h"
#include "fuzz/fault.h"
#include "fuzz/procedure_decode.h"
#include "fuzz/procedure_oracle.h"
#include "host/qv_memory.h"
#include "procedures/interpolate.h"
#include "tests/procedure/procedure_host.h"

namespace norvane::fuzz {
namespace {

using Status = QV_ProcedureType::Status;
constexpr int kDerivativeCall = QV_ProcedureType::DerivativeCall;

// A signalling NaN: no arithmetic result has these bits, so a written row never keeps them.
constexpr std::uint64_t kMarker = 0x7FF4DEADBEEF0000ull;

bool Marked(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits == kMarker;
}

QV_VarParam* MakeVariable(const VariableRequest& v) {
    QV_VarParam* made = nullptr;
    if (v.kind == VariableKind::IntegerParameter && (made = new QV_INTEGERPARAMETER()))
        made->UserSet(v.integer);
    if (v.kind == VariableKind::TextParameter && (made = new QV_STRINGPARAMETER()))
        made->UserSet(kTexts[v.text]);
    if (v.kind == VariableKind::RealParameter && (made = new QV_REALPARAMETER()))
        made->UserSet(v.real);
    if (v.kind <= VariableKind::Fixed && (made = new QV_REALVARIABLE()))
        v.kind == VariableKind::Free ? made->SetCurrentValue(v.real) : made->UserSet(v.real);
    return made;
}

class ProcedureLife {
public:
    explicit ProcedureLife(ByteReader& in) : m_in(in), m_decoded(DecodeListing(in)) {
        if (!m_recorder.fileRoutine) Fault("the library QVNorvane or its INTERP is missing");
        for (const VariableRequest& v : m_decoded.variables)
            if (!m_variables.emplace_back(MakeVariable(v))) Fault("no variable allocated");
        m_copyBetweenPasses = in.Byte() >= 240;
        const bool flag = in.Flag();
        const int mode = in.SmallOrAnyInt(-1, 5);
        const int owner = in.Byte();
        if (owner < 248 && !(m_model = std::make_unique<QV_ModelTypeEx>())) Fault("no owner");
        m_group = in.Choice(8);
        const bool components = in.Flag();
        QV_ProcedureType::SetAlwaysCall(in.Byte() >= 224);
        const bool preset = in.Byte() >= 192;
        if (in.Byte() >= 232) {
            const int k = 1 + in.Choice(40);
            m_failingCall = qvhost::AllocationCalls() + k;
            qvhost::FailAllocation(k);
        }
        m_procedure = norvane::LibraryNew<QVProc_INTERPOLATE>(flag, mode);
        if (!Made(m_procedure)) return;
        if (components) m_procedure->SetComponentList(&m_components);
        m_procedure->SetPresetOutputs(preset);
    }
    ~ProcedureLife() {
        if (m_procedure) m_procedure->Release();
        QV_ProcedureType::SetAlwaysCall(false);
        qvhost::FailAllocation(0);
    }
    ProcedureLife(const ProcedureLife&) = delete;
    ProcedureLife& operator=(const ProcedureLife&) = delete;

    void Run() {
        if (!m_procedure || !List()) return;
        m_listing = Classify(m_counting, m_closed, m_filling);
        EquationPasses();
        m_procedure->InitializeCStrings();
        for (int k = m_in.Byte() % 20; k > 0; --k)
            Step();
        Residuals(0);
        Jacobian(0);
    }

private:
    // The decoded listing, each call recorded under the pass that it belongs to; false when
    // the copy after the counting pass could not be allocated.
    bool List() {
        ListedPass* pass = &m_counting;
        int* free = &m_freeCounted; // counts the solver variables listed under arguments 0 .. 3
        for (const ListingCall& c : m_decoded.calls) {
            QVProc_INTERPOLATE& p = *m_procedure;
            if (c.call == Call::Variable || c.call == Call::Open || c.call == Call::Constant)
                pass->push_back({c.call != Call::Constant, {}, {}});
            const bool input = !pass->empty() && pass->size() < 5;
            if (c.call == Call::Variable) p.Argument(Var(c.value));
            if (c.call == Call::Open) p.Argument();
            if (c.call == Call::Constant) GiveConstant(c, pass == &m_filling);
            if (c.call == Call::Element) p.Element(Var(c.value));
            if ((c.call == Call::Variable || c.call == Call::Element) && !pass->empty()) {
                pass->back().elements.push_back(c.value);
                *free += input && Var(c.value).IsSolverVariable();
            }
            if (c.call == Call::Size) p.SetDimensionSize(c.value);
            if (c.call == Call::Size && !pass->empty()) pass->back().sizes.push_back(c.value);
            if (c.call != Call::Last) continue;
            p.LastArgument();
            if (pass == &m_filling) continue;
            pass = &m_filling;
            free = &m_freeListed;
            m_closed = true;
            if (m_copyBetweenPasses && !Replace(norvane::LibraryNew<QVProc_INTERPOLATE>(p)))
                return false;
        }
        return true;
    }

    // A constant in the decoded form; the filling pass's are kept as the host's slots hold them.
    void GiveConstant(const ListingCall& c, bool filling) {
        const VariableRequest& v = m_decoded.variables[static_cast<std::size_t>(c.value)];
        ConstProcValue given;
        const auto give = [&](auto value) {
            m_procedure->Argument(value);
            given = value;
        };
        if (c.kind == ConstantKind::Integer) give(v.integer);
        if (c.kind == ConstantKind::Real) give(v.real);
        if (c.kind == ConstantKind::Text) give(kTexts[c.text]);
        if (filling && m_filling.size() <= 5) m_constants[m_filling.size() - 1] = given;
    }

    // The owner's passes (none without an owner): the equations it was promised and given,
    // their terms, the call.
    void EquationPasses() {
        QV_ModelTypeEx* owner = m_model.get();
        const auto passes = norvane::test::RunOwnerPasses(*m_procedure, owner, m_group);
        m_equations = passes.equations;
        m_nonZeros = passes.nonZeros;
        const int made = owner ? owner->EquationCount() : 0;
        const long terms = made ? owner->TokenCount(0) : 0;
        if (m_nonZeros < 0 || m_equations < 0 || passes.made != made || made > m_equations ||
            terms != passes.entries || terms > m_nonZeros ||
            (owner && (owner->StrayTokens() != 0 || owner->ProcCallCount() != 1)))
            Fault("%d equations, %ld terms made for %d, %d promised", made, terms, m_equations,
                  m_nonZeros);
        if (m_listing == Listing::Broken &&
            (m_equations || m_nonZeros || (owner && owner->ProcCall(0))))
            Fault("equations or a call for a broken listing");
        if (m_listing != Listing::Sound) return;
        const bool noStorage = !m_procedure->Values() && StorageMayFail();
        if (noStorage ? m_equations || m_nonZeros
                      : m_equations != 1 || m_nonZeros != 1 + m_freeCounted)
            Fault("promised %d equations and %d non-zeros for one output and %d free inputs",
                  m_equations, m_nonZeros, m_freeCounted);
        // An equation that cannot be allocated is left out.
        if (owner && !StorageMayFail() &&
            (made != 1 || std::strcmp(owner->EquationName(0), "[1]") != 0 ||
             owner->EquationProcedure(0) != m_procedure || owner->EquationProcedureOutput(0) != 1 ||
             owner->Token(0, 0).variable != &Output()))
            Fault("not the one equation \"[1]\" of the procedure's output");
    }

    void Step() {
        QVProc_INTERPOLATE& p = *m_procedure;
        const int kind = m_in.Choice(12);
        const int guard = m_in.Choice(3);
        const int code = kind == 0 || kind == 3 ? m_in.Byte() : 0;
        const int type = kind == 3 && code >= 224 ? m_in.Int32() : -1 + code % 7; // of CallFn
        const bool flag = kind == 3                ? m_in.Byte() < 224
                          : kind == 7 || kind == 8 ? m_in.Flag()
                                                   : code < 224;
        const bool derivatives = type == 0 || type == 3 || type == 4;
        if (kind == 0)
            Judged("Precall", QV_ProcedureType::PreCall, [&] { return p.Precall(flag); });
        if (kind == 1) Residuals(guard);
        if (kind == 2) Jacobian(guard);
        if (kind == 3)
            Judged("CallFn", derivatives ? kDerivativeCall : type,
                   [&] { return p.CallFn(static_cast<QV_ProcedureType::CallType>(type), flag); });
        if (kind >= 4 && kind <= 6) ChangeVariable(kind);
        if (kind == 7) QV_ProcedureType::SetAlwaysCall(flag);
        if (kind == 8) p.SetPresetOutputs(flag);
        if (kind == 9) Replace(norvane::LibraryNew<QVProc_INTERPOLATE>(p));
        if (kind == 10) { // assigned to a new object, which takes its place
            auto* fresh = norvane::LibraryNew<QVProc_INTERPOLATE>(false, 0);
            if (fresh) *fresh = p;
            Replace(fresh);
        }
        if (kind == 11) p.InitializeCStrings();
    }

    // A new value (kind 4), the user fixes the variable (5) or frees it (6).
    void ChangeVariable(int kind) {
        const int k = m_in.Choice(static_cast<int>(m_variables.size()));
        QV_VarParam& v = Var(k);
        const bool wasFree = v.IsSolverVariable();
        if (kind == 4) {
            const double real = DecodeReal(m_in);
            const int integer = m_in.SmallOrAnyInt(-2, 6);
            const char* text = kTexts[m_in.Choice(kTextCount)];
            const VariableKind type = m_decoded.variables[static_cast<std::size_t>(k)].kind;
            if (type == VariableKind::IntegerParameter) v.UserSet(integer);
            if (type == VariableKind::TextParameter) v.SetCurrentValue(text);
            if (type < VariableKind::IntegerParameter) v.SetCurrentValue(real);
        }
        if (kind == 5) v.UserSet(SUValue(v.Value()));
        if (kind == 6) v.Unfix();
        m_flipped = m_flipped || wasFree != v.IsSolverVariable();
    }

    bool StorageMayFail() const {
        return m_failingCall != 0 && qvhost::AllocationCalls() >= m_failingCall;
    }
    // Whether `object` was allocated; only a refused allocation may leave it missing.
    bool Made(const void* object) const {
        if (!object && !StorageMayFail()) Fault("an allocation failed that was not refused");
        return object != nullptr;
    }
    // The procedure replaced by `procedure`, when that was allocated.
    bool Replace(QVProc_INTERPOLATE* procedure) {
        if (!Made(procedure)) return false;
        m_procedure->Release();
        m_procedure = procedure;
        return true;
    }
    QV_VarParam& Var(int k) const { return *m_variables[static_cast<std::size_t>(k)]; }
    QV_VarParam& Output() const { return Var(m_filling[4].elements.front()); }

    // The variable of each input value in column order, -1 for a constant.
    std::vector<int> Places() const {
        std::vector<int> places;
        for (int i = 0; i < 4; ++i) {
            if (!m_filling[i].byReference) places.push_back(-1);
            places.insert(places.end(), m_filling[i].elements.begin(), m_filling[i].elements.end());
        }
        return places;
    }
    CallInputs Inputs() const {
        CallInputs in;
        const ListedArgument& point = m_filling[0];
        const ListedArgument& mode = m_filling[3];
        in.point = point.byReference ? Var(point.elements[0]).Real() : m_constants[0].Real();
        for (int v : m_filling[1].elements)
            in.xs.push_back(Var(v).Real());
        for (int v : m_filling[2].elements)
            in.ys.push_back(Var(v).Real());
        in.mode = mode.byReference ? Var(mode.elements[0]).Integer() : m_constants[3].Integer();
        return in;
    }

    // Runs `call`, whose routine is to be asked for call type `effective`, and judges what it
    // did against the listing's class, the routine's record and the oracle; its status.
    template <class Call> int Judged(const char* what, int effective, Call call) {
        const int before = m_recorder.calls;
        const int status = call();
        const int calls = m_recorder.calls - before;
        if (m_components.OpenPropertiesCalls() != 0 || calls > 1)
            Fault("%s called the routine %d times, left %d properties calls open", what, calls,
                  m_components.OpenPropertiesCalls());
        if (calls == 0) {
            if (status < 0 && status != Status::StatusUnbound && status != Status::StatusNoStorage)
                Fault("%s returned %d without calling the routine", what, status);
            if (status < 0 && m_listing == Listing::Sound &&
                (status == Status::StatusUnbound || !StorageMayFail()))
                Fault("%s refused a sound listing: %s", what, QV_ProcedureType::StatusText(status));
            return status;
        }
        const int flag = m_recorder.failure;
        if (m_listing == Listing::Broken) Fault("%s called the routine, broken listing", what);
        if (m_recorder.callType != effective || m_procedure->LastFailureFlag() != flag ||
            (flag != 0 ? status != Status::StatusRoutineFailed : status < 0))
            Fault("%s: call type %d for %d, flag %d judged %d, status %d", what,
                  m_recorder.callType, effective, flag, m_procedure->LastFailureFlag(), status);
        const CallInputs in = Inputs();
        const Expectation e = Expect(effective, in);
        if (flag == 0 ? !e.successAllowed : !e.failureAllowed)
            Fault("%s: flag %d at the point %.17g (%zu abscissae, %zu ordinates, mode %d)", what,
                  flag, in.point, in.xs.size(), in.ys.size(), in.mode);
        return status;
    }

    // What Residuals or Jacobian did: its status, the rows it moved the index past, and the
    // host's array of promised rows after it.
    struct Written {
        int status;
        int count;
        std::vector<double> rows;
    };

    // Runs Residuals or Jacobian on `promised` rows between `guard` marked entries on each side,
    // and checks that it moved the index past no more rows than promised, all of them for a
    // sound listing, wrote nothing beside them and did not succeed for a broken listing.
    Written WriteRows(const char* what, int promised, int guard,
                      int (QV_ProcedureType::*write)(double*, int&)) {
        double marker;
        std::memcpy(&marker, &kMarker, sizeof marker);
        std::vector<double> host(static_cast<std::size_t>(promised + 2 * guard), marker);
        int index = guard;
        const int status = Judged(what, kDerivativeCall,
                                  [&] { return (m_procedure->*write)(host.data(), index); });
        const int written = index - guard;
        for (int k = 0; k < guard; ++k)
            if (!Marked(host[k]) || !Marked(host[host.size() - 1 - k]))
                Fault("%s wrote beside its rows", what);
        // A copy whose storage the host refused has no rows.
        const bool rowless = status == Status::StatusNoStorage && !m_procedure->Values();
        if (written < 0 || written > promised ||
            (m_listing == Listing::Sound && written != promised && !(rowless && !written)))
            Fault("%s moved the index by %d for %d promised rows", what, written, promised);
        if (status >= 0 && m_listing == Listing::Broken)
            Fault("%s succeeded, broken listing", what);
        return {status, written, {host.begin() + guard, host.end() - guard}};
    }

    // One residual per promised equation: written on success (the output variable minus the
    // interpolated value), left alone on failure.
    void Residuals(int guard) {
        const Written w = WriteRows("Residuals", m_equations, guard, &QV_ProcedureType::Residuals);
        for (int k = 0; k < m_equations; ++k)
            if ((w.status >= 0 && k < w.count) == Marked(w.rows[k]))
                Fault("Residuals (status %d) wrote row %d of %d wrongly", w.status, k, w.count);
        if (w.status < 0) return;
        if (w.count != 1) Fault("Residuals succeeded with %d rows", w.count);
        const double output = m_procedure->Values()[m_procedure->OutputOffset()];
        const double residual = Output().Real() - output;
        if (!(w.rows[0] == residual) && !(std::isnan(w.rows[0]) && std::isnan(residual)))
            Fault("the residual %.17g is not the output variable less the output", w.rows[0]);
        const CallInputs in = Inputs();
        const Expectation e = Expect(kDerivativeCall, in);
        if (!e.successAllowed || !(std::fabs(output - e.value) <= e.tolerance))
            Fault("the value is %.17g, %.17Lg expected (point %.17g)", output, e.value, in.point);
    }

    // The promised entries: each row 1.0 and one entry per free input, written whatever the
    // status; on success the derivatives, negated, where the row's shape is known (a sound
    // listing whose free inputs stand as they were counted).
    void Jacobian(int guard) {
        const Written w = WriteRows("Jacobian", m_nonZeros, guard, &QV_ProcedureType::Jacobian);
        for (int k = 0; k < w.count; ++k)
            if (Marked(w.rows[k])) Fault("Jacobian left entry %d unwritten", k);
        if (w.status < 0 || m_listing != Listing::Sound || m_flipped ||
            m_freeCounted != m_freeListed)
            return;
        const CallInputs in = Inputs();
        const Expectation e = Expect(kDerivativeCall, in);
        std::vector<int> columns; // of the free input elements
        const std::vector<int> places = Places();
        for (std::size_t q = 0; q < places.size(); ++q)
            if (places[q] >= 0 && Var(places[q]).IsSolverVariable())
                columns.push_back(static_cast<int>(q));
        const std::vector<double> entries(w.rows.begin() + 1, w.rows.begin() + w.count);
        if (!e.successAllowed || w.rows[0] != 1.0 || entries.size() != columns.size() ||
            !e.RowAgrees(entries, columns))
            Fault("the Jacobian row is not the table's at the point %.17g", in.point);
    }

    ByteReader& m_in;
    norvane::test::RoutineRecorder m_recorder;
    DecodedListing m_decoded;
    std::vector<std::unique_ptr<QV_VarParam>> m_variables;
    QV_COMPONENTLISTNAME m_components;
    std::unique_ptr<QV_ModelTypeEx> m_model; // the owner, or none
    QVProc_INTERPOLATE* m_procedure = nullptr;
    bool m_copyBetweenPasses = false;
    int m_group = 0;
    long m_failingCall = 0; // the number of the allocation call that fails; 0 none

    ListedPass m_counting, m_filling;
    bool m_closed = false;         // by a LastArgument
    ConstProcValue m_constants[5]; // what the filling pass gave as constants
    Listing m_listing = Listing::Broken;
    int m_equations = 0; // what NZAndEqnContribution promised
    int m_nonZeros = 0;
    int m_freeCounted = 0;  // solver variables among the input elements of the counting pass
    int m_freeListed = 0;   // and of the filling pass
    bool m_flipped = false; // a variable changed between solver variable and not since then
};

} // namespace
} // namespace norvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvane::fuzz;
    const long blocks = qvhost::LiveBlocks();
    {
        ByteReader in(data, size);
        ProcedureLife life(in);
        life.Run();
    }
    if (qvhost::LiveBlocks() != blocks)
        Fault("%ld blocks left after the procedure's life", qvhost::LiveBlocks() - blocks);
    if (qvhost::RefusedFrees() != 0) Fault("MyFree refused %ld pointers", qvhost::RefusedFrees());
    return 0;
}
