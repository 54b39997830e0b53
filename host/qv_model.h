// Containers and model types: property registries, assignments, equation structure and the
// expressions of equations; ports, multiports and structures.
//
// Equation bookkeeping, per model object:
// - SetUpEquations: QV_ModelType::SetUpEquations drops the object's structure, declares the
//   base equations (below) and returns their count (or the failure set with
//   FailSetUpEquations). SetGroupLimits(g) opens the structure of the next equation in group g
//   and raises m_stLastGroup to g; AddNonZero adds a variable to it.
// - JacPattern: QV_ModelType::JacPattern drops the registered equations, registers the base
//   equations as numbers 0 .. n-1 and returns n, the counter for the type's own equations.
// - Base equations: the equations that the host part of a model holds itself, as a model built
//   on a base model type does; none unless SetBaseEquations(n) gives n. Each is declared in
//   group 1 without variables and registered as "QV_BaseEqn" without an expression. A type's
//   SetUpEquations returns their count plus its own.
//   AddEquation(name, counter, group) registers equation number `counter` and advances the
//   counter; AddOp and AddTerm append to the prefix expression of the equation they name.
//   A variable term appends its Jacobian entry (equation, variable) through the row and
//   column cursors, within the buffer given by SetPatternBuffer; without a buffer, or past
//   its end, nothing is written and the cursors stay.
// - Operator 1 is the identity: op1(x) = x.
// - Procedures: AddEquation with an equation object registers it under its own name and holds
//   a reference to it until the model drops its equations; AddProcExpression makes a
//   registered equation stand for an output of a procedure; AddProcCall records that the
//   procedure is called for a group. The model keeps plain pointers to procedures.
#pragma once

#include "host/qv_object.h"

class QV_EquationType;  // an equation registered as an object (qv_equation.h)
class QV_ProcedureType; // a procedure whose output an equation stands for (qv_procedure.h)
namespace qvhost {
struct ModelExpressions; // builds the expressions of a model's equations (qv_model.cpp)
}

enum EOp : int {
    EOp_Identity = 1,
    EOp_Plus = 19,
    EOp_Minus = 20,
    EOp_Times = 21,
    EOp_Divide = 22,
    EOp_Square = 40
};

class QVCORE_API QV_Container : public QV_Type {
public:
    QV_Container();
    QV_Container(const QV_Container& other);
    QV_Container& operator=(const QV_Container& other);
    ~QV_Container() override;

    // The host calls these through their entries in the table of virtual operations, which
    // holds them in this order in every container, model and port.
    virtual QV_COMPONENTLISTNAME* ComponentList();
    virtual QV_VarParamProp* IsConnected();
    virtual void SetDims();
    virtual const char* QV_DefaultDESCRIPTION() const;
    virtual bool ContainerDerivesFrom(const char* name);
    // A plain container has no equations: no structure, no pattern, nothing to evaluate (0).
    // QV_ModelType gives the equation passes the model's bodies.
    virtual int JacPattern(int*& rows, int*& cols, QV_EquationType** equations);
    virtual int Jacobian(double* values, int first, int count);
    virtual int Residuals(double* values, int first, int count);
    // Host part of the assignments: records (a, b) and returns 0.
    virtual long ExecuteAssignments(int a, int b);
    virtual int SetUpEquations();

    // Gives an internal index set its new value, whatever was fixed.
    void InitialiseInternalIndexSet(QV_Set& set, QV_Value* value, int pass);

    // The registered properties, in registration order.
    int PropertyCount() const;
    QV_Containable* PropertyAt(int k) const;
    QV_Containable* FindProperty(const char* name) const;
    void AddRegisteredProperty(QV_Containable* property);

    int HostAssignmentCalls() const;
    int LastHostAssignmentA() const;
    int LastHostAssignmentB() const;
    int SetDimsCalls() const;

private:
    struct Registry;
    Registry* m_registry;
    int m_assignmentCalls;
    int m_lastA;
    int m_lastB;
    int m_setDimsCalls;
};

// One token of a registered prefix expression, as Token hands it out.
struct QV_ExprToken {
    enum Kind : unsigned char { Operator, Integer, Real, Variable } kind;
    int op;
    int integer;
    double real;
    QV_VarParam* variable;
};

class QVCORE_API QV_ModelType : public QV_Container {
public:
    QV_ModelType();
    QV_ModelType(const QV_ModelType& other);
    QV_ModelType& operator=(const QV_ModelType& other);
    ~QV_ModelType() override;

    static int m_stLastGroup;

    int JacPattern(int*& rows, int*& cols, QV_EquationType** equations) override;
    // The host evaluates a model's equations from their registered expressions and
    // procedures: the model itself gives no values (0).
    int Jacobian(double* values, int first, int count) override;
    int Residuals(double* values, int first, int count) override;
    int SetUpEquations() override;

    void SetGroupLimits(int group);
    void AddNonZero(QV_VarParam& variable);
    int SetLocalEqnCount(int count);
    void AddEquation(const char* name, int& counter, int group);
    void AddEquation(QV_EquationType* equation, int& counter, int group);

    // Inspection by the host and its tests. A number out of range gives 0, "", null or an
    // operator token of code 0: no exception crosses into the caller's module.
    int StructureCount() const;
    int StructureGroup(int k) const;
    int NonZeroCount(int k) const;
    QV_VarParam* NonZero(int k, int t) const;
    int LocalEqnCount() const;
    int EquationCount() const; // registered equations, numbered 0 .. count-1
    const char* EquationName(int e) const;
    int EquationGroup(int e) const;
    int TokenCount(int e) const;
    // The token as it was appended (the store keeps it in a compact form).
    QV_ExprToken Token(int e, int t) const;
    // Appends to the equation that AddEquation never registered are counted, not stored.
    int StrayTokens() const;
    QV_EquationType* EquationObject(int e) const;     // null for one registered by name
    QV_ProcedureType* EquationProcedure(int e) const; // null when no procedure output
    int EquationProcedureOutput(int e) const;         // that output's number, from 1
    int ProcCallCount() const;
    QV_ProcedureType* ProcCall(int k) const;
    int ProcCallGroup(int k) const;
    // The next SetUpEquations of the host part returns `status` (negative: failure) once.
    void FailSetUpEquations(int status);
    void SetBaseEquations(int count);
    // The buffer that variable terms write their Jacobian entries into: [rows, rowsEnd).
    void SetPatternBuffer(const int* rows, const int* rowsEnd);

protected:
    // Records that `procedure` is called for `group` (AddProcCall of the model interfaces).
    void RecordProcCall(QV_ProcedureType* procedure, int group);

private:
    friend struct qvhost::ModelExpressions;
    struct Equations;
    Equations* m_equations;
    const int* m_patternBegin;
    const int* m_patternEnd;
    int m_localEqnCount;
    int m_failStatus;
    int m_baseEquations;
};

// The expression interface of a model, structure or port, with a table of its own: the
// prefix expressions of the object's equations are built through it. QV_ModelTypeEx,
// QV_StructureTypeEx and QV_PortTypeEx give the bodies.
class QVCORE_API QV_ModelExtensions {
public:
    virtual ~QV_ModelExtensions();

    // Drops the tokens of every equation's expression; the equations stay registered.
    virtual void ResetExpressions() = 0;
    // Append to the prefix expression of registered equation `equation`: an operator, a
    // variable (and its Jacobian entry through the cursors), a real or an integer constant.
    virtual void AddOp(EOp op, int equation) = 0;
    virtual void AddTerm(QV_VarParam& variable, int*& rows, int*& cols, int equation) = 0;
    virtual void AddTerm(double value, int equation) = 0;
    virtual void AddTerm(int value, int equation) = 0;
    // Makes registered equation `equation` stand for output `output` of `procedure`.
    virtual void AddProcExpression(QV_ProcedureType* procedure, int output, int equation,
                                   const char* source) = 0;

protected:
    QV_ModelExtensions();
    QV_ModelExtensions(const QV_ModelExtensions& other);
    QV_ModelExtensions& operator=(const QV_ModelExtensions& other);
};

// The bodies of QV_ModelExtensions in a class that is also a QV_ModelType: they build the
// expressions of the class's own equations.
#define QV_MODEL_EXTENSIONS_BODIES                                                                 \
    void ResetExpressions() override;                                                              \
    void AddOp(EOp op, int equation) override;                                                     \
    void AddTerm(QV_VarParam& variable, int*& rows, int*& cols, int equation) override;            \
    void AddTerm(double value, int equation) override;                                             \
    void AddTerm(int value, int equation) override;                                                \
    void AddProcExpression(QV_ProcedureType* procedure, int output, int equation,                  \
                           const char* source) override

class QVCORE_API QV_ModelDiscontinuity {
public:
    virtual ~QV_ModelDiscontinuity();
};

class QVCORE_API QV_ModelExtensions2 {
public:
    virtual ~QV_ModelExtensions2();
};

class QVCORE_API QV_ModelTypeEx : public QV_ModelType,
                                  public QV_ModelExtensions,
                                  public QV_ModelDiscontinuity {
public:
    QV_ModelTypeEx();
    QV_ModelTypeEx(const QV_ModelTypeEx& other);
    QV_ModelTypeEx& operator=(const QV_ModelTypeEx& other);
    ~QV_ModelTypeEx() override;
    QV_MODEL_EXTENSIONS_BODIES;
    void AddProcCall(QV_ProcedureType* procedure, int group);
};

class QVCORE_API QV_ModelTypeEx2 : public QV_ModelTypeEx, public QV_ModelExtensions2 {
public:
    QV_ModelTypeEx2();
    QV_ModelTypeEx2(const QV_ModelTypeEx2& other);
    QV_ModelTypeEx2& operator=(const QV_ModelTypeEx2& other);
    ~QV_ModelTypeEx2() override;
};

class QVCORE_API QV_StructureType : public QV_ModelType {
public:
    QV_StructureType();
    QV_StructureType(const QV_StructureType& other);
    QV_StructureType& operator=(const QV_StructureType& other);
    ~QV_StructureType() override;
};

class QVCORE_API QV_StructureTypeEx : public QV_StructureType,
                                      public QV_ModelExtensions,
                                      public QV_ModelDiscontinuity {
public:
    QV_StructureTypeEx();
    QV_StructureTypeEx(const QV_StructureTypeEx& other);
    QV_StructureTypeEx& operator=(const QV_StructureTypeEx& other);
    ~QV_StructureTypeEx() override;
    QV_MODEL_EXTENSIONS_BODIES;
    void AddProcCall(QV_ProcedureType* procedure, int group);
};

// A port: one connection point. Its index among ports counts down through GetPort.
class QVCORE_API QV_PortType : public QV_ModelType {
public:
    QV_PortType();
    QV_PortType(const QV_PortType& other);            // a copy is connected to nothing
    QV_PortType& operator=(const QV_PortType& other); // the connection stays
    ~QV_PortType() override;

    void DumpStructure() override;
    int PortCount(bool all) const override;
    // Decreases `index`; returns this port when it falls below 0, else null.
    QV_Type* GetPort(int& index, bool all) override;
    virtual bool IsAMultiport() const;
    // Connects this port to `other` in place of any port before; false (nothing changes) for
    // null or the port itself.
    virtual bool Connect(QV_PortType* other);
    // Ends the connection to `other` (to whatever port it is, for null).
    virtual void Disconnect(QV_PortType* other);
    int HostPortType() const;
    using QV_Containable::HostPortType; // the setter
    QV_PortType* ConnectedTo() const;   // null when not connected
    int DumpCalls() const;

private:
    QV_PortType* m_connectedTo;
    int m_dumpCalls;
};

class QVCORE_API QV_PortTypeEx : public QV_PortType, public QV_ModelExtensions {
public:
    QV_PortTypeEx();
    QV_PortTypeEx(const QV_PortTypeEx& other);
    QV_PortTypeEx& operator=(const QV_PortTypeEx& other);
    ~QV_PortTypeEx() override;
    QV_MODEL_EXTENSIONS_BODIES;
};

// A port that stands for any number of connections, each named.
class QVCORE_API QV_MULTIPORT_BaseType : public QV_PortType {
public:
    QV_MULTIPORT_BaseType();
    QV_MULTIPORT_BaseType(const QV_MULTIPORT_BaseType&) = delete;
    QV_MULTIPORT_BaseType& operator=(const QV_MULTIPORT_BaseType& other);
    ~QV_MULTIPORT_BaseType() override;
    bool IsAMultiport() const override;
    const char* QV_DefaultDESCRIPTION() const override;
    bool ContainerDerivesFrom(const char* name) override;
    // A new connection to `other`: a connection port named after `other` (or numbered, for
    // a port without a name) through CreateConnectionPort, connected to it.
    bool Connect(QV_PortType* other) override;
    // Ends the connections of this multiport's connection ports to `other` (to any, for null).
    void Disconnect(QV_PortType* other) override;
    virtual QV_PortType* CreateConnectionPort(const char* name, unsigned value);
    virtual QV_PortType* FindConnectionPort(const char* name);
    static const char* QV_ContainerId();

protected:
    // The names of the connections made so far, which the multiport's array is dimensioned by.
    QV_STRINGSET m_connectionNames;
};
