#include "host/qv_model.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "host/equation_store.h"
#include "host/qv_equation.h"
#include "host/qv_system.h"
#include "host/qv_value.h"

struct QV_Container::Registry {
    std::vector<QV_Containable*> properties;
};

QV_Container::QV_Container()
    : m_registry(new Registry()), m_assignmentCalls(0), m_lastA(0), m_lastB(0), m_setDimsCalls(0) {}
QV_Container::QV_Container(const QV_Container& other)
    : QV_Type(other), m_registry(new Registry()), m_assignmentCalls(0), m_lastA(0), m_lastB(0),
      m_setDimsCalls(0) {}
QV_Container& QV_Container::operator=(const QV_Container& other) {
    QV_Type::operator=(other);
    return *this;
}
QV_Container::~QV_Container() {
    delete m_registry;
}

QV_COMPONENTLISTNAME* QV_Container::ComponentList() {
    return nullptr;
}
QV_VarParamProp* QV_Container::IsConnected() {
    return nullptr;
}
void QV_Container::SetDims() {
    ++m_setDimsCalls;
}
const char* QV_Container::QV_DefaultDESCRIPTION() const {
    return "";
}
bool QV_Container::ContainerDerivesFrom(const char*) {
    return false;
}
int QV_Container::JacPattern(int*&, int*&, QV_EquationType**) {
    return 0;
}
int QV_Container::Jacobian(double*, int, int) {
    return 0;
}
int QV_Container::Residuals(double*, int, int) {
    return 0;
}
long QV_Container::ExecuteAssignments(int a, int b) {
    ++m_assignmentCalls;
    m_lastA = a;
    m_lastB = b;
    return 0;
}
int QV_Container::SetUpEquations() {
    return 0;
}

void QV_Container::InitialiseInternalIndexSet(QV_Set& set, QV_Value* value, int) {
    if (value) set.SetValue(*value);
}

int QV_Container::PropertyCount() const {
    return static_cast<int>(m_registry->properties.size());
}
QV_Containable* QV_Container::PropertyAt(int k) const {
    return k >= 0 && k < PropertyCount() ? m_registry->properties[k] : nullptr;
}
QV_Containable* QV_Container::FindProperty(const char* name) const {
    for (QV_Containable* p : m_registry->properties)
        if (name && std::strcmp(p->Name(), name) == 0) return p;
    return nullptr;
}
void QV_Container::AddRegisteredProperty(QV_Containable* property) {
    m_registry->properties.push_back(property);
}
int QV_Container::HostAssignmentCalls() const {
    return m_assignmentCalls;
}
int QV_Container::LastHostAssignmentA() const {
    return m_lastA;
}
int QV_Container::LastHostAssignmentB() const {
    return m_lastB;
}
int QV_Container::SetDimsCalls() const {
    return m_setDimsCalls;
}

int QV_ModelType::m_stLastGroup = 0;

struct QV_ModelType::Equations {
    qvhost::StructureStore structure;
    qvhost::ExpressionStore expressions;
    // What only a procedure's equations carry, by equation number: few, kept apart from the
    // expressions of the millions of equations a distribution registers.
    struct ProcedureEquation {
        QV_EquationType* object = nullptr; // holds a reference
        QV_ProcedureType* procedure = nullptr;
        int output = 0;
    };
    struct ProcCall {
        QV_ProcedureType* procedure;
        int group;
    };
    std::map<int, ProcedureEquation> procedureEquations;
    std::vector<ProcCall> calls;

    Equations() = default;
    Equations(const Equations&) = delete;
    Equations& operator=(const Equations&) = delete;
    ~Equations() { DropProcedureEquations(); }

    // Forgets equation e's procedure record, releasing its object.
    void Forget(int e) {
        const auto found = procedureEquations.find(e);
        if (found == procedureEquations.end()) return;
        if (found->second.object) found->second.object->Release();
        procedureEquations.erase(found);
    }
    void DropProcedureEquations() {
        for (auto& [e, record] : procedureEquations)
            if (record.object) record.object->Release();
        procedureEquations.clear();
        calls.clear();
    }
    const ProcedureEquation* Find(int e) const {
        const auto found = procedureEquations.find(e);
        return found == procedureEquations.end() ? nullptr : &found->second;
    }
};

QV_ModelType::QV_ModelType()
    : m_equations(new Equations()), m_patternBegin(nullptr), m_patternEnd(nullptr),
      m_localEqnCount(0), m_failStatus(0), m_baseEquations(0) {}
QV_ModelType::QV_ModelType(const QV_ModelType& other)
    : QV_Container(other), m_equations(new Equations()), m_patternBegin(nullptr),
      m_patternEnd(nullptr), m_localEqnCount(0), m_failStatus(0), m_baseEquations(0) {}
QV_ModelType& QV_ModelType::operator=(const QV_ModelType& other) {
    QV_Container::operator=(other);
    return *this;
}
QV_ModelType::~QV_ModelType() {
    delete m_equations;
}

int QV_ModelType::JacPattern(int*&, int*&, QV_EquationType**) {
    m_equations->expressions.Clear();
    m_equations->DropProcedureEquations();
    int counter = 0;
    for (int k = 0; k < m_baseEquations; ++k)
        AddEquation("QV_BaseEqn", counter, 1);
    return counter;
}

int QV_ModelType::Jacobian(double*, int, int) {
    return 0;
}
int QV_ModelType::Residuals(double*, int, int) {
    return 0;
}

int QV_ModelType::SetUpEquations() {
    m_equations->structure.Clear();
    m_localEqnCount = 0;
    const int status = m_failStatus;
    m_failStatus = 0;
    if (status != 0) return status;
    for (int k = 0; k < m_baseEquations; ++k)
        SetGroupLimits(1);
    return m_baseEquations;
}

void QV_ModelType::SetGroupLimits(int group) {
    m_equations->structure.Open(group);
    m_stLastGroup = std::max(m_stLastGroup, group);
}

void QV_ModelType::AddNonZero(QV_VarParam& variable) {
    m_equations->structure.Add(variable); // nothing to attach it to when no equation is open
}

int QV_ModelType::SetLocalEqnCount(int count) {
    m_localEqnCount = count;
    return count;
}

void QV_ModelType::AddEquation(const char* name, int& counter, int group) {
    if (counter < 0) counter = 0;
    m_equations->Forget(counter);
    m_equations->expressions.Register(counter, name ? name : "", group);
    ++counter;
}

void QV_ModelType::AddEquation(QV_EquationType* equation, int& counter, int group) {
    const int number = counter < 0 ? 0 : counter;
    AddEquation(equation ? equation->Name() : "", counter, group);
    if (!equation) return;
    equation->AddRef();
    m_equations->procedureEquations[number].object = equation;
}

void QV_ModelType::RecordProcCall(QV_ProcedureType* procedure, int group) {
    m_equations->calls.push_back({procedure, group});
}

// Builds the expressions of a model's own equations: the bodies of QV_ModelExtensions in the
// host's model, structure and port classes.
struct qvhost::ModelExpressions {
    static void Reset(QV_ModelType& model) { model.m_equations->expressions.ClearTokens(); }

    static void Append(QV_ModelType& model, int equation, const QV_ExprToken& token) {
        model.m_equations->expressions.Append(equation, token);
    }

    static void AppendVariable(QV_ModelType& model, QV_VarParam& variable, int*& rows, int*& cols,
                               int equation) {
        if (!model.m_equations->expressions.Append(equation,
                                                   {QV_ExprToken::Variable, 0, 0, 0.0, &variable}))
            return;
        if (variable.SystemIndex() < 0) variable.SetSystemIndex(qvhost::NextSystemIndex());
        // Without a buffer both ends are null, and no cursor lies below the end.
        if (rows && cols && rows >= model.m_patternBegin && rows < model.m_patternEnd) {
            *rows++ = equation;
            *cols++ = variable.SystemIndex();
        }
    }

    static void AttachProcedure(QV_ModelType& model, QV_ProcedureType* procedure, int output,
                                int equation) {
        QV_ModelType::Equations& equations = *model.m_equations;
        if (!equations.expressions.IsRegistered(equation)) {
            equations.expressions.CountStray();
            return;
        }
        QV_ModelType::Equations::ProcedureEquation& record = equations.procedureEquations[equation];
        record.procedure = procedure;
        record.output = output;
    }
};

// QV_ModelExtensions's bodies in `Class`, a QV_ModelType.
#define QV_DEFINE_MODEL_EXTENSIONS_BODIES(Class)                                                   \
    void Class::ResetExpressions() {                                                               \
        qvhost::ModelExpressions::Reset(*this);                                                    \
    }                                                                                              \
    void Class::AddOp(EOp op, int equation) {                                                      \
        qvhost::ModelExpressions::Append(*this, equation,                                          \
                                         {QV_ExprToken::Operator, op, 0, 0.0, nullptr});           \
    }                                                                                              \
    void Class::AddTerm(QV_VarParam& variable, int*& rows, int*& cols, int equation) {             \
        qvhost::ModelExpressions::AppendVariable(*this, variable, rows, cols, equation);           \
    }                                                                                              \
    void Class::AddTerm(double value, int equation) {                                              \
        qvhost::ModelExpressions::Append(*this, equation,                                          \
                                         {QV_ExprToken::Real, 0, 0, value, nullptr});              \
    }                                                                                              \
    void Class::AddTerm(int value, int equation) {                                                 \
        qvhost::ModelExpressions::Append(*this, equation,                                          \
                                         {QV_ExprToken::Integer, 0, value, 0.0, nullptr});         \
    }                                                                                              \
    void Class::AddProcExpression(QV_ProcedureType* procedure, int output, int equation,           \
                                  const char*) {                                                   \
        qvhost::ModelExpressions::AttachProcedure(*this, procedure, output, equation);             \
    }

int QV_ModelType::StructureCount() const {
    return m_equations->structure.Count();
}
int QV_ModelType::StructureGroup(int k) const {
    return m_equations->structure.Group(k);
}
int QV_ModelType::NonZeroCount(int k) const {
    return m_equations->structure.NonZeroCount(k);
}
QV_VarParam* QV_ModelType::NonZero(int k, int t) const {
    return m_equations->structure.NonZero(k, t);
}
int QV_ModelType::EquationCount() const {
    return m_equations->expressions.Count();
}
const char* QV_ModelType::EquationName(int e) const {
    return m_equations->expressions.Name(e);
}
int QV_ModelType::EquationGroup(int e) const {
    return m_equations->expressions.Group(e);
}
int QV_ModelType::TokenCount(int e) const {
    return m_equations->expressions.TokenCount(e);
}
QV_ExprToken QV_ModelType::Token(int e, int t) const {
    return m_equations->expressions.Token(e, t);
}
int QV_ModelType::StrayTokens() const {
    return m_equations->expressions.Stray();
}
QV_EquationType* QV_ModelType::EquationObject(int e) const {
    const auto* record = m_equations->Find(e);
    return record ? record->object : nullptr;
}
QV_ProcedureType* QV_ModelType::EquationProcedure(int e) const {
    const auto* record = m_equations->Find(e);
    return record ? record->procedure : nullptr;
}
int QV_ModelType::EquationProcedureOutput(int e) const {
    const auto* record = m_equations->Find(e);
    return record ? record->output : 0;
}
int QV_ModelType::ProcCallCount() const {
    return static_cast<int>(m_equations->calls.size());
}
QV_ProcedureType* QV_ModelType::ProcCall(int k) const {
    return k >= 0 && k < ProcCallCount() ? m_equations->calls[static_cast<std::size_t>(k)].procedure
                                         : nullptr;
}
int QV_ModelType::ProcCallGroup(int k) const {
    return k >= 0 && k < ProcCallCount() ? m_equations->calls[static_cast<std::size_t>(k)].group
                                         : 0;
}

int QV_ModelType::LocalEqnCount() const {
    return m_localEqnCount;
}
void QV_ModelType::FailSetUpEquations(int status) {
    m_failStatus = status;
}
void QV_ModelType::SetBaseEquations(int count) {
    m_baseEquations = count;
}

void QV_ModelType::SetPatternBuffer(const int* rows, const int* rowsEnd) {
    m_patternBegin = rows;
    m_patternEnd = rowsEnd;
}

QV_ModelExtensions::QV_ModelExtensions() = default;
QV_ModelExtensions::QV_ModelExtensions(const QV_ModelExtensions&) = default;
QV_ModelExtensions& QV_ModelExtensions::operator=(const QV_ModelExtensions&) = default;
QV_ModelExtensions::~QV_ModelExtensions() = default;
QV_ModelDiscontinuity::~QV_ModelDiscontinuity() = default;
QV_ModelExtensions2::~QV_ModelExtensions2() = default;

// A copy of a model keeps no equations: the expressions stay with the original.
QV_ModelTypeEx::QV_ModelTypeEx() = default;
QV_ModelTypeEx::QV_ModelTypeEx(const QV_ModelTypeEx& other)
    : QV_ModelType(other), QV_ModelExtensions(other), QV_ModelDiscontinuity(other) {}
QV_ModelTypeEx& QV_ModelTypeEx::operator=(const QV_ModelTypeEx& other) {
    QV_ModelType::operator=(other);
    return *this;
}
QV_ModelTypeEx::~QV_ModelTypeEx() = default;
QV_DEFINE_MODEL_EXTENSIONS_BODIES(QV_ModelTypeEx)
void QV_ModelTypeEx::AddProcCall(QV_ProcedureType* procedure, int group) {
    RecordProcCall(procedure, group);
}

QV_ModelTypeEx2::QV_ModelTypeEx2() = default;
QV_ModelTypeEx2::QV_ModelTypeEx2(const QV_ModelTypeEx2& other) = default;
QV_ModelTypeEx2& QV_ModelTypeEx2::operator=(const QV_ModelTypeEx2& other) = default;
QV_ModelTypeEx2::~QV_ModelTypeEx2() = default;

QV_StructureType::QV_StructureType() = default;
QV_StructureType::QV_StructureType(const QV_StructureType& other) = default;
QV_StructureType& QV_StructureType::operator=(const QV_StructureType& other) = default;
QV_StructureType::~QV_StructureType() = default;

QV_StructureTypeEx::QV_StructureTypeEx() = default;
QV_StructureTypeEx::QV_StructureTypeEx(const QV_StructureTypeEx& other)
    : QV_StructureType(other), QV_ModelExtensions(other) {}
QV_StructureTypeEx& QV_StructureTypeEx::operator=(const QV_StructureTypeEx& other) {
    QV_StructureType::operator=(other);
    return *this;
}
QV_StructureTypeEx::~QV_StructureTypeEx() = default;
QV_DEFINE_MODEL_EXTENSIONS_BODIES(QV_StructureTypeEx)
void QV_StructureTypeEx::AddProcCall(QV_ProcedureType* procedure, int group) {
    RecordProcCall(procedure, group);
}

QV_PortType::QV_PortType() : m_connectedTo(nullptr), m_dumpCalls(0) {}
QV_PortType::QV_PortType(const QV_PortType& other)
    : QV_ModelType(other), m_connectedTo(nullptr), m_dumpCalls(0) {}
QV_PortType& QV_PortType::operator=(const QV_PortType& other) {
    QV_ModelType::operator=(other);
    return *this;
}
QV_PortType::~QV_PortType() = default;

void QV_PortType::DumpStructure() {
    ++m_dumpCalls;
}
int QV_PortType::PortCount(bool) const {
    return 1;
}
QV_Type* QV_PortType::GetPort(int& index, bool) {
    return --index < 0 ? this : nullptr;
}
bool QV_PortType::IsAMultiport() const {
    return false;
}
bool QV_PortType::Connect(QV_PortType* other) {
    if (!other || other == this) return false;
    m_connectedTo = other;
    return true;
}
void QV_PortType::Disconnect(QV_PortType* other) {
    if (!other || m_connectedTo == other) m_connectedTo = nullptr;
}
QV_PortType* QV_PortType::ConnectedTo() const {
    return m_connectedTo;
}
int QV_PortType::HostPortType() const {
    return QV_Containable::HostPortType();
}
int QV_PortType::DumpCalls() const {
    return m_dumpCalls;
}

QV_PortTypeEx::QV_PortTypeEx() = default;
QV_PortTypeEx::QV_PortTypeEx(const QV_PortTypeEx& other)
    : QV_PortType(other), QV_ModelExtensions(other) {}
QV_PortTypeEx& QV_PortTypeEx::operator=(const QV_PortTypeEx& other) {
    QV_PortType::operator=(other);
    return *this;
}
QV_PortTypeEx::~QV_PortTypeEx() = default;
QV_DEFINE_MODEL_EXTENSIONS_BODIES(QV_PortTypeEx)

QV_MULTIPORT_BaseType::QV_MULTIPORT_BaseType() : m_connectionNames(true) {}
QV_MULTIPORT_BaseType&
QV_MULTIPORT_BaseType::operator=(const QV_MULTIPORT_BaseType& other) = default;
QV_MULTIPORT_BaseType::~QV_MULTIPORT_BaseType() = default;
bool QV_MULTIPORT_BaseType::IsAMultiport() const {
    return true;
}
const char* QV_MULTIPORT_BaseType::QV_DefaultDESCRIPTION() const {
    return QV_ContainerId();
}
bool QV_MULTIPORT_BaseType::ContainerDerivesFrom(const char* name) {
    return SUValue::CompareCI(QV_ContainerId(), name) == 0;
}
bool QV_MULTIPORT_BaseType::Connect(QV_PortType* other) {
    if (!other || other == this) return false;
    std::string name = other->Name();
    if (name.empty()) name = std::to_string(PortCount(false));
    QV_PortType* port = CreateConnectionPort(name.c_str(), 0);
    return port && port->Connect(other);
}
void QV_MULTIPORT_BaseType::Disconnect(QV_PortType* other) {
    // The multiport is port 0; its connection ports follow.
    const int ports = PortCount(false);
    for (int k = 1; k < ports; ++k) {
        int index = k;
        if (auto* port = dynamic_cast<QV_PortType*>(GetPort(index, false))) port->Disconnect(other);
    }
}
QV_PortType* QV_MULTIPORT_BaseType::CreateConnectionPort(const char*, unsigned) {
    return nullptr;
}
QV_PortType* QV_MULTIPORT_BaseType::FindConnectionPort(const char*) {
    return nullptr;
}
const char* QV_MULTIPORT_BaseType::QV_ContainerId() {
    return "Port MULTIPORT\tV8.8";
}
