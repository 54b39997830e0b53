// The life of one interpolation procedure, as generated code and the host drive it: the host
// objects that the request names, the procedure constructed, its counting pass closed by
// LastArgument and its filling pass (on a copy, when the request says so), its owner's
// structure and expression passes, then the request's steps (pre-calls, residuals, Jacobians,
// calls of any type, new values, variables fixed and freed, host settings, copies) and a last
// residual and Jacobian, whose row is held against central differences of the residual where
// the table is well conditioned. Every step is checked as it ends (procedure_checks.cpp); the
// first fault aborts through Fault.
#pragma once

#include "fuzz/procedure_oracle.h"
#include "fuzz/procedure_request.h"
#include "procedures/interpolate.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace norvane::fuzz {

// The input values of the call as the host objects hold them now.
struct CallInputs {
    double point = 0;
    std::vector<double> xs, ys;
    int mode = 0;
};

// A host array of rows: the procedure's rows between guard entries, all set to a marker that
// no write leaves behind.
class HostRows {
public:
    HostRows(int guard, int rows);
    double* Data() { return m_values.get(); }
    int Guard() const { return m_guard; }
    int Rows() const { return m_rows; }
    double operator[](int k) const { return m_values[m_guard + k]; }
    // Whether row k still holds the marker.
    bool Untouched(int k) const;
    // Faults when a guard entry was written.
    void CheckGuards(const char* what) const;

private:
    int m_guard;
    int m_rows;
    std::unique_ptr<double[]> m_values;
};

class ProcedureRun {
public:
    explicit ProcedureRun(const ProcedureRequest& request);
    ProcedureRun(const ProcedureRun&) = delete;
    ProcedureRun& operator=(const ProcedureRun&) = delete;
    ~ProcedureRun();

    void Run();

private:
    // The life (procedure_run.cpp).
    void MakeVariables();
    void List(const PassRequest& pass, bool filling);
    void GiveConstant(const ConstantRequest& constant, ConstProcValue* record);
    template <class Owner> void EquationPasses(Owner* owner);
    void Step(const StepRequest& step);
    void ChangeVariable(const StepRequest& step);
    // Whether `object` was allocated; only a refused allocation may leave it missing.
    bool Made(const void* object) const;
    void Replace(QVProc_INTERPOLATE* procedure);
    int CountFree(const PassRequest& pass) const;
    QV_VarParam& Var(int k) const { return *m_variables[static_cast<std::size_t>(k)]; }

    // The checks (procedure_checks.cpp).
    void CheckEquations(const QV_ModelType* owner, int counter, long terms);
    // Runs `call`, a call of the procedure whose routine is to be asked for call type
    // `effective`, and judges what it did; its status.
    template <class Call> int Called(const char* what, int effective, Call call);
    void JudgeCall(const char* what, int status, long callsBefore, int effective);
    int Precall(bool flag);
    int CallFn(int type, bool flag);
    // Runs `write` (the procedure's Residuals or Jacobian) on `rows` and checks that it moved
    // the index past no more rows than promised, all of them for a sound listing, and wrote
    // nothing beside them; its status, with the rows it moved past in `written`.
    using RowWriter = int (QV_ProcedureType::*)(double*, int&);
    int WriteRows(const char* what, HostRows& rows, int& written, RowWriter write);
    int Residuals(int guard);
    int Jacobian(int guard);
    void CheckJacobianRow(const HostRows& row, int written);
    void CheckDifferences();
    CallInputs Inputs() const;
    QV_VarParam& Output() const;
    bool StorageMayFail() const;
    bool WellConditioned(const CallInputs& inputs) const;
    std::vector<std::uint64_t> Snapshot() const;

    const ProcedureRequest& m_request;
    const Listing m_listing;
    std::vector<InputPlace> m_places; // when the filling pass follows the rules
    std::vector<std::unique_ptr<QV_VarParam>> m_variables;
    std::deque<QV_IntegerSetIter> m_integerMembers;
    std::deque<QV_StringSetIter> m_textMembers;
    ConstProcValue m_constants[5]; // what the filling pass gave as constants
    QV_COMPONENTLISTNAME m_components;
    std::unique_ptr<QV_ModelTypeEx> m_model;
    std::unique_ptr<QV_StructureTypeEx> m_structure;
    QVProc_INTERPOLATE* m_procedure = nullptr;
    long m_failingCall = 0; // the number of the allocation call that fails; 0 none

    int m_equations = 0; // what NZAndEqnContribution promised
    int m_nonZeros = 0;
    int m_freeCounted = 0;         // solver variables among the input elements of the counting pass
    int m_freeListed = 0;          // and of the filling pass when the equations were made
    bool m_flipped = false;        // a variable changed between solver variable and not afterwards
    std::vector<double> m_lastRow; // the Jacobian row of the last step, when it succeeded
};

} // namespace norvane::fuzz
