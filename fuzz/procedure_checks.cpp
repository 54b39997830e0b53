// The checks of a procedure's life: the equations its owner was given, and every call of it
// judged against the listing's class, the routine's record and the expectation of
// procedure_oracle.h.
#include "fuzz/fault.h"
#include "fuzz/procedure_routine.h"
#include "fuzz/procedure_run.h"
#include "host/qv_memory.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace norvane::fuzz {
namespace {

using Status = QV_ProcedureType::Status;

// A signalling NaN: no arithmetic result has these bits, so a written row never keeps them.
constexpr std::uint64_t kMarker = 0x7FF4DEADBEEF0000ull;

std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

long double Abs(long double v) {
    return v < 0 ? -v : v;
}

std::string Flags(const Expectation& e) {
    std::string text = e.successAllowed ? "success" : "";
    for (int flag : e.failures)
        text += (text.empty() ? "flag " : ", flag ") + std::to_string(flag);
    return text;
}

} // namespace

HostRows::HostRows(int guard, int rows)
    : m_guard(guard), m_rows(rows), m_values(new double[2 * guard + rows]) {
    double marker;
    std::memcpy(&marker, &kMarker, sizeof marker);
    std::fill(m_values.get(), m_values.get() + 2 * guard + rows, marker);
}

bool HostRows::Untouched(int k) const {
    return Bits(m_values[m_guard + k]) == kMarker;
}

void HostRows::CheckGuards(const char* what) const {
    for (int k = 0; k < 2 * m_guard + m_rows; ++k)
        if ((k < m_guard || k >= m_guard + m_rows) && Bits(m_values[k]) != kMarker)
            Fault("%s wrote entry %d of the host's array, outside its %d rows from %d", what, k,
                  m_rows, m_guard);
}

bool ProcedureRun::StorageMayFail() const {
    return m_failingCall != 0 && qvhost::AllocationCalls() >= m_failingCall;
}

CallInputs ProcedureRun::Inputs() const {
    CallInputs in;
    for (const InputPlace& place : m_places) {
        const bool constant = place.variable < 0;
        switch (place.slot) {
        case 0:
            in.point = constant ? m_constants[0].Real() : Var(place.variable).Real();
            break;
        case 1:
            in.xs.push_back(Var(place.variable).Real());
            break;
        case 2:
            in.ys.push_back(Var(place.variable).Real());
            break;
        default:
            in.mode = constant ? m_constants[3].Integer() : Var(place.variable).Integer();
            break;
        }
    }
    return in;
}

QV_VarParam& ProcedureRun::Output() const {
    return Var(m_request.passes[1].arguments[4].elements.front());
}

std::vector<std::uint64_t> ProcedureRun::Snapshot() const {
    std::vector<std::uint64_t> values;
    for (const auto& variable : m_variables)
        values.push_back(Bits(variable->Real()));
    return values;
}

void ProcedureRun::CheckEquations(const QV_ModelType* owner, int counter, long terms) {
    if (!owner) {
        if (counter != 0 || terms != 0) Fault("equations made without an owner");
        return;
    }
    const int made = owner->EquationCount();
    if (counter != made) Fault("the equation counter says %d, the owner holds %d", counter, made);
    if (made > m_equations) Fault("%d equations made, %d promised", made, m_equations);
    if (terms > m_nonZeros) Fault("%ld pattern entries written, %d promised", terms, m_nonZeros);
    if (owner->StrayTokens() != 0) Fault("%d terms outside any equation", owner->StrayTokens());
    if (owner->ProcCallCount() != 1) Fault("the call registered %d times", owner->ProcCallCount());
    long tokens = 0;
    for (int e = 0; e < made; ++e) {
        if (owner->EquationProcedure(e) != m_procedure ||
            owner->EquationProcedureOutput(e) != e + 1)
            Fault("equation %d does not stand for output %d of the procedure", e, e + 1);
        tokens += owner->TokenCount(e);
    }
    if (tokens != terms) Fault("%ld terms, %ld pattern entries", tokens, terms);
    if (m_listing == Listing::Broken && made != 0) Fault("%d equations for a broken listing", made);
    if (m_listing != Listing::Sound) return;
    if (!m_procedure->Values() && m_equations == 0 && m_nonZeros == 0 && StorageMayFail())
        return; // the host refused its storage: nothing promised, nothing made
    if (m_equations != 1 || m_nonZeros != 1 + m_freeCounted)
        Fault("promised %d equations and %d non-zeros for one output and %d free inputs",
              m_equations, m_nonZeros, m_freeCounted);
    if (StorageMayFail()) return; // an equation that cannot be allocated is left out
    if (made != 1) Fault("%d equations made for one output", made);
    if (std::strcmp(owner->EquationName(0), "[1]") != 0)
        Fault("the equation is named \"%s\"", owner->EquationName(0));
    // The output, then the free input elements in order, as many as the counting pass counted.
    std::vector<const QV_VarParam*> expected{&Output()};
    for (const InputPlace& place : m_places)
        if (place.variable >= 0 && Var(place.variable).IsSolverVariable() &&
            static_cast<int>(expected.size()) <= m_freeCounted)
            expected.push_back(&Var(place.variable));
    if (owner->TokenCount(0) != static_cast<int>(expected.size()))
        Fault("the equation has %d terms, %zu expected", owner->TokenCount(0), expected.size());
    for (int t = 0; t < owner->TokenCount(0); ++t) {
        const QV_ExprToken token = owner->Token(0, t);
        if (token.kind != QV_ExprToken::Variable || token.variable != expected[t])
            Fault("term %d of the equation is not the variable of its entry", t);
    }
}

template <class Call> int ProcedureRun::Called(const char* what, int effective, Call call) {
    const std::vector<std::uint64_t> before = Snapshot();
    const long calls = RoutineRecord().calls;
    const int status = call();
    if (Snapshot() != before) Fault("%s changed the value of a variable", what);
    JudgeCall(what, status, calls, effective);
    return status;
}

void ProcedureRun::JudgeCall(const char* what, int status, long callsBefore, int effective) {
    const RoutineCalls& r = RoutineRecord();
    const long calls = r.calls - callsBefore;
    if (m_components.OpenPropertiesCalls() != 0)
        Fault("%s left %d properties calls open", what, m_components.OpenPropertiesCalls());
    if (calls > 1) Fault("%s called the routine %ld times", what, calls);
    if (calls == 0) {
        if (status >= 0) return; // nothing called; Residuals and Jacobian check their outputs
        if (status != Status::StatusUnbound && status != Status::StatusNoStorage)
            Fault("%s returned %d without calling the routine", what, status);
        if (m_listing == Listing::Sound && (status == Status::StatusUnbound || !StorageMayFail()))
            Fault("%s refused a sound listing: %s", what, QV_ProcedureType::StatusText(status));
        return;
    }
    if (m_listing == Listing::Broken) Fault("%s called the routine for a broken listing", what);
    if (r.callType != effective)
        Fault("%s asked the routine for call type %d, not %d", what, r.callType, effective);
    if (m_procedure->LastFailureFlag() != r.failure)
        Fault("%s: the routine set flag %d, the host judged %d", what, r.failure,
              m_procedure->LastFailureFlag());
    if (r.failure != 0 ? status != Status::StatusRoutineFailed : status < 0)
        Fault("%s: the routine set flag %d, the status is %d", what, r.failure, status);
    const CallInputs in = Inputs();
    const Expectation e = Expect(effective, in.point, in.xs, in.ys, in.mode);
    if (r.failure == 0 ? !e.successAllowed : !e.Allows(r.failure))
        Fault("%s: the routine set flag %d where %s is right (point %.17g, %zu abscissae, %zu "
              "ordinates, mode %d)",
              what, r.failure, Flags(e).c_str(), in.point, in.xs.size(), in.ys.size(), in.mode);
}

int ProcedureRun::Precall(bool flag) {
    return Called("Precall", QV_ProcedureType::PreCall, [&] { return m_procedure->Precall(flag); });
}

int ProcedureRun::CallFn(int type, bool flag) {
    const bool derivatives = type == QV_ProcedureType::ResidualCall ||
                             type == QV_ProcedureType::JacobianCall ||
                             type == QV_ProcedureType::DerivativeCall;
    return Called("CallFn", derivatives ? QV_ProcedureType::DerivativeCall : type, [&] {
        return m_procedure->CallFn(static_cast<QV_ProcedureType::CallType>(type), flag);
    });
}

int ProcedureRun::WriteRows(const char* what, HostRows& rows, int& written, RowWriter write) {
    int index = rows.Guard();
    const int status = Called(what, QV_ProcedureType::DerivativeCall,
                              [&] { return (m_procedure->*write)(rows.Data(), index); });
    rows.CheckGuards(what);
    written = index - rows.Guard();
    // A copy whose storage the host refused has no rows.
    const bool rowless =
        status == Status::StatusNoStorage && !m_procedure->Values() && written == 0;
    if (written < 0 || written > rows.Rows() ||
        (m_listing == Listing::Sound && written != rows.Rows() && !rowless))
        Fault("%s moved the index by %d for %d promised rows", what, written, rows.Rows());
    return status;
}

// One residual per promised equation: written on success (the output variable minus the
// interpolated value), left alone on failure.
int ProcedureRun::Residuals(int guard) {
    HostRows rows(guard, m_equations);
    int written = 0;
    const int status = WriteRows("Residuals", rows, written, &QV_ProcedureType::Residuals);
    for (int k = 0; k < m_equations; ++k)
        if (status < 0 ? !rows.Untouched(k) : (k < written) == rows.Untouched(k))
            Fault("Residuals (status %d) wrote row %d of %d wrongly", status, k, written);
    if (status < 0) return status;
    if (m_listing == Listing::Broken) Fault("Residuals succeeded for a broken listing");
    if (written != 1) Fault("Residuals succeeded with %d rows for one output", written);
    const double output = m_procedure->Values()[m_procedure->OutputOffset()];
    if (!std::isfinite(output)) Fault("Residuals succeeded with the output %g", output);
    const double residual = Output().Real() - output;
    if (Bits(rows[0]) != Bits(residual) && !(std::isnan(rows[0]) && std::isnan(residual)))
        Fault("the residual is %.17g, the output variable less the output %.17g", rows[0],
              residual);
    const CallInputs in = Inputs();
    const Expectation e = Expect(QV_ProcedureType::DerivativeCall, in.point, in.xs, in.ys, in.mode);
    if (!e.successAllowed)
        Fault("Residuals succeeded where %s is right (point %.17g, mode %d)", Flags(e).c_str(),
              in.point, in.mode);
    if (!(Abs(output - e.value) <= e.tolerance))
        Fault("the interpolated value is %.17g, %.17Lg expected (point %.17g)", output, e.value,
              in.point);
    return status;
}

// The promised entries: each row 1.0 and one entry per free input, written whatever the
// status; on success the derivatives, negated.
int ProcedureRun::Jacobian(int guard) {
    HostRows row(guard, m_nonZeros);
    int written = 0;
    const int status = WriteRows("Jacobian", row, written, &QV_ProcedureType::Jacobian);
    for (int k = 0; k < written; ++k)
        if (row.Untouched(k)) Fault("Jacobian left entry %d of %d unwritten", k, written);
    m_lastRow.clear();
    if (status < 0) return status;
    if (m_listing == Listing::Broken) Fault("Jacobian succeeded for a broken listing");
    CheckJacobianRow(row, written);
    return status;
}

void ProcedureRun::CheckJacobianRow(const HostRows& row, int written) {
    if (m_listing != Listing::Sound) return; // the row's shape is known for a sound listing
    const CallInputs in = Inputs();
    const Expectation e = Expect(QV_ProcedureType::DerivativeCall, in.point, in.xs, in.ys, in.mode);
    if (!e.successAllowed) Fault("Jacobian succeeded where %s is right", Flags(e).c_str());
    if (row[0] != 1.0) Fault("the Jacobian entry of the output is %.17g", row[0]);
    for (int k = 0; k < written; ++k) {
        if (!std::isfinite(row[k]))
            Fault("Jacobian entry %d is %g after a successful call", k, row[k]);
        m_lastRow.push_back(row[k]);
    }
    if (m_flipped || m_freeCounted != m_freeListed) return; // the entries follow other terms
    std::vector<int> columns;                               // of the free input elements, in order
    for (std::size_t q = 0; q < m_places.size(); ++q)
        if (m_places[q].variable >= 0 && Var(m_places[q].variable).IsSolverVariable())
            columns.push_back(static_cast<int>(q));
    if (static_cast<int>(columns.size()) + 1 != written)
        Fault("%d Jacobian entries for %zu free inputs", written, columns.size());
    std::vector<double> entries;
    for (std::size_t j = 0; j < columns.size(); ++j)
        entries.push_back(row[static_cast<int>(j) + 1]);
    for (const DerivativeRow& side : e.rows)
        if (side.Agrees(entries, columns)) return;
    std::string text;
    for (std::size_t j = 0; j < columns.size(); ++j)
        text += " " + std::to_string(columns[j]) + ":" + std::to_string(entries[j]) + "/" +
                std::to_string(static_cast<double>(-e.rows.front().derivatives[columns[j]]));
    Fault("the Jacobian row (input value: entry/derivative%s) agrees with no side of the "
          "point %.17g",
          text.c_str(), in.point);
}

// Small values, abscissae well apart and a point away from every knot: where central
// differences of the residual are close to its derivatives.
bool ProcedureRun::WellConditioned(const CallInputs& in) const {
    const auto small = [](double v) { return std::fabs(v) <= 100.0; };
    if (!small(in.point) || !std::all_of(in.xs.begin(), in.xs.end(), small) ||
        !std::all_of(in.ys.begin(), in.ys.end(), small) || !(std::fabs(Output().Real()) <= 1e6))
        return false;
    for (std::size_t k = 0; k < in.xs.size(); ++k)
        if ((k > 0 && !(in.xs[k] - in.xs[k - 1] >= 0.1)) ||
            !(std::fabs(in.point - in.xs[k]) >= 1e-3))
            return false;
    return true;
}

// The last Jacobian row against central differences of the residual: for each variable of the
// row that is a real the solver moves (or the output), the sum of its entries.
void ProcedureRun::CheckDifferences() {
    if (m_listing != Listing::Sound || m_flipped || m_freeCounted != m_freeListed ||
        m_lastRow.empty() || !WellConditioned(Inputs()))
        return;
    std::vector<QV_VarParam*> row{&Output()};
    for (const InputPlace& place : m_places)
        if (place.variable >= 0 && Var(place.variable).IsSolverVariable())
            row.push_back(&Var(place.variable));
    for (std::size_t j = 0; j < row.size(); ++j) {
        QV_VarParam* v = row[j];
        if (std::find(row.begin(), row.begin() + j, v) != row.begin() + j) continue;
        if (v->Kind() != SUValue::TypeReal) continue;
        // Its places as a constant-like input (the mode, or an element the solver does not move)
        // have no entry: such a variable is left out.
        const bool unrowed =
            std::any_of(m_places.begin(), m_places.end(), [&](const InputPlace& p) {
                return p.variable >= 0 && &Var(p.variable) == v &&
                       (p.slot == 3 || !v->IsSolverVariable());
            });
        if (unrowed) continue;
        double sum = 0;
        for (std::size_t k = 0; k < row.size(); ++k)
            if (row[k] == v) sum += m_lastRow[k];
        const double x = v->Real();
        const double h = 1e-6 * std::max(1.0, std::fabs(x));
        double residual[2] = {0, 0};
        for (int side = 0; side < 2; ++side) {
            v->SetCurrentValue(side == 0 ? x + h : x - h);
            int index = 0;
            if (m_procedure->Residuals(residual + side, index) < 0)
                Fault("the residual failed with entry %zu of the row moved", j);
        }
        v->SetCurrentValue(x);
        const double difference = (residual[0] - residual[1]) / (2 * h);
        if (!(std::fabs(sum - difference) <= 1e-4 * std::max(1.0, std::fabs(difference))))
            Fault("Jacobian entries %.17g for entry %zu of the row, central difference %.17g", sum,
                  j, difference);
    }
}

} // namespace norvane::fuzz
