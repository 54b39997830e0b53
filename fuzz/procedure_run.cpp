#include "fuzz/procedure_run.h"

#include "fuzz/fault.h"
#include "host/qv_memory.h"
#include "procedures/interpolate.h"

#include <climits>
#include <string>

namespace norvane::fuzz {
namespace {

constexpr int kArguments = 5;

// A host object of type T holding `value`: as the solver's current value, else fixed by the
// user.
template <class T, class Value> QV_VarParam* Holding(Value value, bool free) {
    T* object = new T();
    if (object && free) object->SetCurrentValue(value);
    if (object && !free) object->UserSet(value);
    return object;
}

QV_VarParam* MakeVariable(const VariableRequest& v) {
    switch (v.kind) {
    case VariableKind::Free:
        return Holding<QV_REALVARIABLE>(v.real, true);
    case VariableKind::Fixed:
        return Holding<QV_REALVARIABLE>(v.real, false);
    case VariableKind::RealParameter:
        return Holding<QV_REALPARAMETER>(v.real, false);
    case VariableKind::IntegerParameter:
        return Holding<QV_INTEGERPARAMETER>(v.integer, false);
    case VariableKind::TextParameter:
        break;
    }
    return Holding<QV_STRINGPARAMETER>(kTexts[v.text], false);
}

} // namespace

ProcedureRun::ProcedureRun(const ProcedureRequest& request)
    : m_request(request), m_listing(ClassifyListing(request)) {
    if (m_listing != Listing::Broken) m_places = InputPlaces(request);
    MakeVariables();
    if (request.owner == OwnerKind::Model) m_model.reset(new QV_ModelTypeEx());
    if (request.owner == OwnerKind::Structure) m_structure.reset(new QV_StructureTypeEx());
    if ((request.owner == OwnerKind::Model && !m_model) ||
        (request.owner == OwnerKind::Structure && !m_structure))
        Fault("the host could not allocate the owner");
    QV_ProcedureType::SetAlwaysCall(request.alwaysCall);
    if (request.failAllocation != 0) {
        m_failingCall = qvhost::AllocationCalls() + request.failAllocation;
        qvhost::FailAllocation(request.failAllocation);
    }
    m_procedure = new QVProc_INTERPOLATE(request.constructorFlag, request.constructorMode);
}

ProcedureRun::~ProcedureRun() {
    if (m_procedure) m_procedure->Release();
    m_model.reset();
    m_structure.reset();
    QV_ProcedureType::SetAlwaysCall(false);
    qvhost::FailAllocation(0);
}

void ProcedureRun::MakeVariables() {
    for (const VariableRequest& v : m_request.variables) {
        m_variables.emplace_back(MakeVariable(v));
        if (!m_variables.back()) Fault("the host could not allocate a variable");
    }
}

// The solver variables among the input elements that a pass lists (its first four arguments).
int ProcedureRun::CountFree(const PassRequest& pass) const {
    int free = 0;
    for (std::size_t i = 0; i < pass.arguments.size() && i + 1 < kArguments; ++i)
        for (int variable : pass.arguments[i].elements)
            free += Var(variable).IsSolverVariable() ? 1 : 0;
    return free;
}

void ProcedureRun::Run() {
    if (!Made(m_procedure)) return;
    if (m_request.componentList) m_procedure->SetComponentList(&m_components);
    m_procedure->SetPresetOutputs(m_request.presetOutputs);
    m_freeCounted = CountFree(m_request.passes[0]);
    List(m_request.passes[0], false);
    if (m_request.copyBetweenPasses) {
        auto* copy = new QVProc_INTERPOLATE(*m_procedure);
        if (!Made(copy)) return;
        Replace(copy);
    }
    List(m_request.passes[1], true);
    m_freeListed = CountFree(m_request.passes[1]);
    if (m_model) EquationPasses(m_model.get());
    if (m_structure) EquationPasses(m_structure.get());
    if (m_request.owner == OwnerKind::None) EquationPasses(static_cast<QV_ModelTypeEx*>(nullptr));
    m_procedure->InitializeCStrings();
    for (const StepRequest& step : m_request.steps)
        Step(step);
    Residuals(0);
    if (Jacobian(0) >= 0) CheckDifferences();
}

void ProcedureRun::GiveConstant(const ConstantRequest& c, ConstProcValue* record) {
    QVProc_INTERPOLATE& p = *m_procedure;
    ConstProcValue given;
    switch (c.kind) {
    case ConstantKind::Integer:
        p.Argument(c.integer);
        given = c.integer;
        break;
    case ConstantKind::Real:
        p.Argument(c.real);
        given = c.real;
        break;
    case ConstantKind::Text:
        p.Argument(kTexts[c.text]);
        given = kTexts[c.text];
        break;
    case ConstantKind::IntegerMember: {
        QV_IntegerSetIter& member =
            m_integerMembers.emplace_back(QV_IntSetValue(c.integer, INT_MIN));
        member.Next();
        p.Argument(member);
        given = member.Integer();
        break;
    }
    case ConstantKind::TextMember: {
        QV_StringSetIter& member =
            m_textMembers.emplace_back(QV_StrSetValue((std::string(kTexts[c.text]) + '"').c_str()));
        member.Next();
        p.Argument(member);
        given = member.String();
        break;
    }
    }
    if (record) *record = given;
}

// One pass of the argument list, as the request gives it. The filling pass's constants are
// recorded as the host's constant slots hold them.
void ProcedureRun::List(const PassRequest& pass, bool filling) {
    QVProc_INTERPOLATE& p = *m_procedure;
    for (int variable : pass.strayElements)
        p.Element(Var(variable));
    for (int size : pass.straySizes)
        p.SetDimensionSize(size);
    for (std::size_t i = 0; i < pass.arguments.size(); ++i) {
        const ArgumentRequest& a = pass.arguments[i];
        std::size_t first = 0;
        switch (a.form) {
        case ArgumentForm::Constant:
            GiveConstant(a.constant, filling && i < kArguments ? &m_constants[i] : nullptr);
            break;
        case ArgumentForm::Variable:
            p.Argument(Var(a.elements.front()));
            first = 1;
            break;
        case ArgumentForm::Open:
            p.Argument();
            break;
        }
        for (int part = 0; part < 2; ++part) {
            if ((part == 0) == a.sizesFirst)
                for (int size : a.sizes)
                    p.SetDimensionSize(size);
            else
                for (std::size_t k = first; k < a.elements.size(); ++k)
                    p.Element(Var(a.elements[k]));
        }
    }
    for (int k = 0; k < pass.lastArguments; ++k)
        p.LastArgument();
}

// The owner's structure pass (the counts) and expression pass (the equations), with a pattern
// buffer of exactly the promised entries.
template <class Owner> void ProcedureRun::EquationPasses(Owner* owner) {
    int count = 0;
    m_nonZeros = m_procedure->NZAndEqnContribution(owner, m_request.group, count);
    m_equations = count;
    if (m_nonZeros < 0 || m_equations < 0)
        Fault("promised %d equations and %d non-zeros", m_equations, m_nonZeros);
    std::unique_ptr<int[]> rows(new int[m_nonZeros]), cols(new int[m_nonZeros]);
    if (owner) owner->SetPatternBuffer(rows.get(), rows.get() + m_nonZeros);
    int* row = rows.get();
    int* col = cols.get();
    int counter = 0;
    m_procedure->CreateEquationsAndSetGroup(m_request.group, 0, row, col, counter, owner, "", 0);
    if (row - rows.get() != col - cols.get()) Fault("rows and columns of the pattern disagree");
    CheckEquations(owner, counter, row - rows.get());
}

bool ProcedureRun::Made(const void* object) const {
    if (!object && !StorageMayFail()) Fault("the host refused an allocation that was not refused");
    return object != nullptr;
}

void ProcedureRun::Replace(QVProc_INTERPOLATE* procedure) {
    m_procedure->Release();
    m_procedure = procedure;
}

void ProcedureRun::ChangeVariable(const StepRequest& step) {
    QV_VarParam& v = Var(step.variable);
    const bool wasFree = v.IsSolverVariable();
    const VariableKind kind = m_request.variables[static_cast<std::size_t>(step.variable)].kind;
    const SUValue current = v.Value();
    if (step.kind == StepKind::Fix)
        v.UserSet(current);
    else if (step.kind == StepKind::Unfix)
        v.Unfix();
    else if (kind == VariableKind::IntegerParameter)
        v.UserSet(step.integer);
    else if (kind == VariableKind::TextParameter)
        v.SetCurrentValue(kTexts[step.text]);
    else
        v.SetCurrentValue(step.real);
    m_flipped = m_flipped || wasFree != v.IsSolverVariable();
}

void ProcedureRun::Step(const StepRequest& step) {
    QVProc_INTERPOLATE& p = *m_procedure;
    switch (step.kind) {
    case StepKind::Precall:
        Precall(step.flag);
        break;
    case StepKind::Residuals:
        Residuals(step.guard);
        break;
    case StepKind::Jacobian:
        Jacobian(step.guard);
        break;
    case StepKind::CallFn:
        CallFn(step.callType, step.flag);
        break;
    case StepKind::SetValue:
    case StepKind::Fix:
    case StepKind::Unfix:
        ChangeVariable(step);
        break;
    case StepKind::AlwaysCall:
        QV_ProcedureType::SetAlwaysCall(step.flag);
        break;
    case StepKind::PresetOutputs:
        p.SetPresetOutputs(step.flag);
        break;
    case StepKind::Copy:
        if (auto* copy = new QVProc_INTERPOLATE(p); Made(copy)) Replace(copy);
        break;
    case StepKind::AssignToFresh:
        if (auto* fresh = new QVProc_INTERPOLATE(!step.flag, step.integer); Made(fresh)) {
            *fresh = p;
            Replace(fresh);
        }
        break;
    case StepKind::CStrings:
        p.InitializeCStrings();
        break;
    }
}

} // namespace norvane::fuzz
