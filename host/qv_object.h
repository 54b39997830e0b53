// The host's object tree: reference-counted objects, containable properties and the value
// properties (parameters, variables, sets) that model types hold as members.
//
// Rules that model libraries rely on:
// - Every object of this tree is allocated from the host allocator (MyAllocate) and returned
//   to it (MyFree), whichever module news or deletes it.
// - Assign: a value that the user fixed (UserSet) is kept; any other value is replaced by the
//   assigned one. Callers read the value back afterwards, so they see whichever won.
// - Bounds, valid sets and units given by a parameter type's defaults are recorded, never
//   enforced: the model code decides what to do with a value.
#pragma once

#include <cstddef>

#include "host/qv_api.h"
#include "host/qv_automation.h"
#include "host/qv_memory.h"
#include "host/qv_value.h"

class QV_Container;
class QV_Containable;
namespace qvhost {
class VariableRegistry;
// Called, when a property goes away, for each object that depends on it (AddDependent), after
// the host has told that object; null (the start) calls nothing. For the host's tests.
using DependenceObserver = void (*)(QV_Containable* dependent, QV_Containable* property);
QVCORE_API void ObserveDependences(DependenceObserver observer);
} // namespace qvhost

// The root of the host's class tree is shaped as the automation interfaces that the host
// hands its objects out as: IUnknown's three operations, IDispatch's four, then the virtual
// destructor, Destroy and Name, first declared in QV_PtrVectorObject. Every class's table of
// virtual operations starts with these, in this order. The two interfaces are abstract and no
// object is deleted through them (their destructors are protected); QV_PtrVectorObject counts the
// references and answers the automation operations as a host without automation does.
class QVCORE_API IUnknown {
public:
    virtual long QueryInterface(const _GUID& iid, void** object) = 0;
    virtual unsigned long AddRef() = 0;
    // Drops one reference; the object deletes itself when none is left.
    virtual unsigned long Release() = 0;

protected:
    IUnknown() = default;
    IUnknown(const IUnknown&) = default;
    IUnknown& operator=(const IUnknown&) = default;
    ~IUnknown() = default;
};

class QVCORE_API IDispatch : public IUnknown {
public:
    virtual long GetTypeInfoCount(unsigned int* count) = 0;
    virtual long GetTypeInfo(unsigned int index, unsigned long locale, ITypeInfo** info) = 0;
    virtual long GetIDsOfNames(const _GUID& iid, unsigned short** names, unsigned int count,
                               unsigned long locale, long* ids) = 0;
    virtual long Invoke(long id, const _GUID& iid, unsigned long locale, unsigned short flags,
                        tagDISPPARAMS* arguments, tagVARIANT* result, tagEXCEPINFO* exception,
                        unsigned int* argumentError) = 0;

protected:
    IDispatch() = default;
    IDispatch(const IDispatch&) = default;
    IDispatch& operator=(const IDispatch&) = default;
    ~IDispatch() = default;
};

class QVCORE_API QV_PtrVectorObject : public IDispatch {
public:
    QV_PtrVectorObject();
    QV_PtrVectorObject(const QV_PtrVectorObject&);            // a copy starts with no reference
    QV_PtrVectorObject& operator=(const QV_PtrVectorObject&); // the references stay
    virtual ~QV_PtrVectorObject();
    // Ends the object now, whatever references remain.
    virtual void Destroy();
    // The object's name: none ("") for an object that is not a registered property.
    virtual const char* Name() const;

    // No interface: NoSuchInterface, and null in `object`.
    long QueryInterface(const _GUID& iid, void** object) override;
    unsigned long AddRef() override;
    unsigned long Release() override;
    // No type information: a count of 0; GetTypeInfo gives null and NotImplemented.
    long GetTypeInfoCount(unsigned int* count) override;
    long GetTypeInfo(unsigned int index, unsigned long locale, ITypeInfo** info) override;
    // No names and nothing to invoke: NotImplemented.
    long GetIDsOfNames(const _GUID& iid, unsigned short** names, unsigned int count,
                       unsigned long locale, long* ids) override;
    long Invoke(long id, const _GUID& iid, unsigned long locale, unsigned short flags,
                tagDISPPARAMS* arguments, tagVARIANT* result, tagEXCEPINFO* exception,
                unsigned int* argumentError) override;

private:
    unsigned m_references;
};

class QVCORE_API QV_Update : public QV_PtrVectorObject {};

// The side of its owner that a registered property stands on.
enum QV_Direction : int { QV_Direction_None = 0, QV_Direction_Input = 4, QV_Direction_Output = 8 };

// What Assign made of a value: taken, or kept out because the user fixed the property (or the
// property holds no value).
enum QV_AssignStatus : int { QV_AssignKept = 0, QV_AssignTaken = 1 };

// How a property was registered with its owner.
enum class QV_RegistrationForm : unsigned char { None, Type, External, Virtual };

// Anything that can be a property of a container: it carries the registration record.
//
// An array element (millions of them on a large grid) holds only its array and, inline, a
// short index text. What only registered properties, filed objects and ports have (name,
// description, owner, direction, port type, dependents, a parameter type's attributes, a long
// index text) lives in a record made on first need.
class QVCORE_API QV_Containable : public QV_Update {
public:
    QV_Containable();
    QV_Containable(const QV_Containable& other);
    QV_Containable& operator=(const QV_Containable& other);
    ~QV_Containable() override;

    QV_Container* Owner() const;
    // The name it was registered under ("" when none).
    const char* Name() const override;
    const char* Description() const; // null when none was registered
    int Direction() const;
    void SetDirection(int direction);
    bool IsToBeExported() const;
    int HostPortType() const;
    void HostPortType(int type);
    QV_RegistrationForm RegistrationForm() const;

    // The array that holds this object as an element, and its index text ("3", "a,7").
    QV_Containable* Parent() const;
    const char* IndexText() const;
    void SetElementOf(QV_Containable* array, const char* indexText);
    // The type-replaceable property that this object is filed in, or null.
    QV_Containable* FiledIn() const;
    void SetFiledIn(QV_Containable* property);

    // True for a variable that the solver moves: a variable whose value the user did not fix.
    virtual bool IsSolverVariable() const;

protected:
    // Registers this object with `owner`, which keeps it when it is a container.
    QV_Containable* Register(QV_Containable* owner, const char* name, const char* description,
                             int direction, QV_RegistrationForm form);

    // Marks the object not to be exported (QV_Type::UnsetIsToBeExported).
    void ClearExported();

    struct Record;
    Record& record(); // made on first need
    const Record* recordIfAny() const { return m_record; }

private:
    enum { InlineIndexText = 12 }; // "-2147483648" and "100,100,100" fit
    // In this order the members fill the words left by the reference count and leave two
    // bytes that a variable's own small members take.
    char m_indexText[InlineIndexText];
    Record* m_record;
    QV_Containable* m_parent;
    bool m_exported;
    QV_RegistrationForm m_form;
};

class QVCORE_API QV_VarParamProp : public QV_Containable {
public:
    QV_VarParamProp();
    QV_VarParamProp(const QV_VarParamProp& other);
    QV_VarParamProp& operator=(const QV_VarParamProp& other);
    ~QV_VarParamProp() override;

    // Takes the value unless the user fixed this property (always kept by a property without
    // a value).
    virtual QV_AssignStatus Assign(QV_Value* value);

    // The value as procedures read and write it, of a property that holds one (QV_VarParam);
    // any other reads 0, "" and takes no value. Integer() truncates a real and gives 0 for one
    // that no int holds (NaN included); String() is "" for a value without text (an empty text
    // is none), or null after SetStringNullWithoutText(true), as a host may answer.
    double Real() const;
    int Integer() const;
    const char* String() const;
    static void SetStringNullWithoutText(bool null); // false at start
    // True while the value is an assigned one (a default or an Assign): a new value then goes
    // in through Assign. UserSet and SetCurrentValue make it false.
    bool IsDefaultAssignment() const;
    // Replaces the value, as the solver does; a user-fixed value is replaced too.
    void SetCurrentValue(double value);
    void SetCurrentValue(const char* value);
    // The bounds of the value (kept in the rare members' record); without SetBounds of a
    // QV_VarParam, the largest doubles.
    double QV_LOWERValue() const;
    double QV_UPPERValue() const;

    // Records that `dependent` must hear of changes of this property.
    void AddDependent(QV_Containable* dependent);
    void RemoveDependent(QV_Containable* dependent);
    int DependentCount() const;
};

class QVCORE_API QV_Type : public QV_VarParamProp {
public:
    // Registers this member as property `name` of `owner` (a container; any other owner keeps
    // no record of it); returns the registered property.
    QV_Type* AddProperty(QV_Containable* owner, const char* name, const char* description,
                         QV_Direction direction, bool unused);
    // The host's diagnostic dump of a port (QV_PortType counts them); a plain property has none.
    virtual void DumpStructure();
    // Ports: how many this property stands for, and the port at `index` (see QV_PortType).
    virtual int PortCount(bool all) const;
    virtual QV_Type* GetPort(int& index, bool all);
    // Marks the property not to be exported; returns it.
    virtual QV_Type* UnsetIsToBeExported();
};

// A property with a value: parameters, variables, sets and component lists.
class QVCORE_API QV_VarParam : public QV_Type {
public:
    // `kind`: the SUValue type code of the values this property holds.
    explicit QV_VarParam(unsigned short kind);
    QV_VarParam(const QV_VarParam& other);
    QV_VarParam& operator=(const QV_VarParam& other);
    ~QV_VarParam() override;

    // The user's own value: fixed, so assignments no longer replace it.
    void UserSet(const SUValue& value);
    void UserSet(int value);
    void UserSet(double value);
    void UserSet(const char* value);
    void Unfix();
    bool IsFixed() const;
    // Replaces the value whatever was fixed (index-set refresh, the host's own writes).
    void SetValue(const SUValue& value);

    const QV_SetValue& Value() const;
    unsigned short Kind() const;
    double Numeric() const;
    // Tags of the last value taken by Assign or SetValue from a QV_Value (0 when none).
    int LastAssignmentNumber() const;
    unsigned LastTagA() const;
    unsigned LastTagB() const;

    // Defaults that a parameter type supplies, in the order of the host's table of virtual
    // operations; InitializeSystemAttributes applies them.
    virtual QV_Value* QV_DefaultVALUE() const;
    virtual QV_Value* QV_DefaultLOWER() const;
    virtual QV_Value* QV_DefaultVALID() const;
    virtual int QV_PQCol() const;
    virtual int QV_PQRow() const;
    virtual QV_Value* QV_DefaultPHYSICALQUANTITY() const;
    virtual QV_Value* QV_DefaultBASEUOMNAME() const;
    void InitializeSystemAttributes();
    // The attributes that InitializeSystemAttributes took from the defaults (empty when none).
    const SUValue& Lower() const;
    const SUValue& Valid() const;
    const char* PhysicalQuantity() const;
    const char* BaseUnit() const;

    // Position of this variable in the host's equation system; -1 until it is placed.
    int SystemIndex() const;
    void SetSystemIndex(int index);

    // The bounds that QV_LOWERValue and QV_UPPERValue give.
    void SetBounds(double lower, double upper);

private:
    friend class qvhost::VariableRegistry;
    friend class QV_VarParamProp; // reads and writes the value for its accessors
    // Stores `value` converted to this property's kind (a text assigned to a set becomes the
    // set that the text lists, a number assigned to an integer is truncated).
    void Take(const SUValue& value);
    unsigned char m_kind; // an SUValue type code, all below 256
    // One byte for both flags: with m_kind they fill the two bytes left in the base.
    bool m_fixed : 1;
    bool m_assigned : 1;
    int m_lastNumber;
    // The two members that writing a term reads, in one 8-byte aligned word (offset 48 on
    // 64-bit Linux), which no cache line boundary splits.
    int m_systemIndex;
    unsigned m_registryId; // the host's number for it in stored expressions; 0: none yet
    unsigned m_lastA;
    unsigned m_lastB;
    QV_SetValue m_value;
};

// Copying, assignment and destruction of a value class, defined in the host: a model that
// holds such a member copies and destroys it through these.
#define QV_VALUE_CLASS_COPYING(Class)                                                              \
    Class(const Class& other);                                                                     \
    Class& operator=(const Class& other);                                                          \
    ~Class() override

class QVCORE_API QV_REALPARAMETER : public QV_VarParam {
public:
    explicit QV_REALPARAMETER(bool init = true);
    QV_VALUE_CLASS_COPYING(QV_REALPARAMETER);
    QV_REALPARAMETER& operator*();
    double v();
    double fv() const;
    // Gives the parameter the defaults of its type.
    void InitializeSystemAttributes();
    static const char* QV_ContainerId();
};

class QVCORE_API QV_INTEGERPARAMETER : public QV_VarParam {
public:
    explicit QV_INTEGERPARAMETER(bool init = true);
    QV_VALUE_CLASS_COPYING(QV_INTEGERPARAMETER);
    QV_INTEGERPARAMETER& operator*();
    int v();
    int fv() const;
    void InitializeSystemAttributes();
    static const char* QV_ContainerId();
};

class QVCORE_API QV_STRINGPARAMETER : public QV_VarParam {
public:
    explicit QV_STRINGPARAMETER(bool init = true);
    QV_VALUE_CLASS_COPYING(QV_STRINGPARAMETER);
    QV_STRINGPARAMETER& operator*();
    // The parameter, whose text the conversion gives.
    QV_STRINGPARAMETER& v();
    const QV_STRINGPARAMETER& fv() const;
    operator const char*() const;
    void InitializeSystemAttributes();
    static const char* QV_ContainerId();
};

class QVCORE_API QV_FalseLOGICALPARAMETER : public QV_VarParam {
public:
    explicit QV_FalseLOGICALPARAMETER(bool init = true);
    QV_VALUE_CLASS_COPYING(QV_FalseLOGICALPARAMETER);
    QV_FalseLOGICALPARAMETER& operator*();
    bool v();
    static const char* QV_ContainerId();
};

class QVCORE_API QV_COMPONENTLISTNAME : public QV_VarParam {
public:
    QV_COMPONENTLISTNAME();
    QV_VALUE_CLASS_COPYING(QV_COMPONENTLISTNAME);
    static const char* QV_ContainerId();
    // Brackets around a procedure's call of its routine, which may read the component list.
    void BeginPropertiesCall();
    void EndPropertiesCall();
    int OpenPropertiesCalls() const; // begun and not yet ended
    int PropertiesCalls() const;     // begun in all

private:
    int m_open;
    int m_calls;
};

// A variable of the equation system: the solver moves it unless the user fixed its value.
class QVCORE_API QV_Variable : public QV_VarParam {
public:
    explicit QV_Variable(unsigned short kind);
    QV_VALUE_CLASS_COPYING(QV_Variable);
    bool IsSolverVariable() const override;
};

class QVCORE_API QV_REALVARIABLE : public QV_Variable {
public:
    explicit QV_REALVARIABLE(bool init = true);
    QV_VALUE_CLASS_COPYING(QV_REALVARIABLE);
    QV_REALVARIABLE& operator*();
    double v();
    double fv() const;
    static const char* QV_ContainerId();
};

class QVCORE_API QV_PARTIALDERIVATIVE : public QV_REALVARIABLE {
public:
    explicit QV_PARTIALDERIVATIVE(bool init = true);
    QV_VALUE_CLASS_COPYING(QV_PARTIALDERIVATIVE);
    static const char* QV_ContainerId();
};

class QVCORE_API QV_Set : public QV_VarParam {
public:
    explicit QV_Set(unsigned short type);
    QV_VALUE_CLASS_COPYING(QV_Set);
    QV_Set& operator*();
    const QV_SetValue& v();
    const QV_SetValue& fv() const;
    operator const QV_SetValue&() const;
};

class QVCORE_API QV_INTEGERSET : public QV_Set {
public:
    QV_INTEGERSET();
    QV_VALUE_CLASS_COPYING(QV_INTEGERSET);
    QV_INTEGERSET& operator*();
    static const char* QV_ContainerId();
};

class QVCORE_API QV_STRINGSET : public QV_Set {
public:
    explicit QV_STRINGSET(bool init = true);
    QV_VALUE_CLASS_COPYING(QV_STRINGSET);
    QV_STRINGSET& operator*();
    static const char* QV_ContainerId();
};
