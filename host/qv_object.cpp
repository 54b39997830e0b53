#include "host/qv_object.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/qv_matrix.h"
#include "host/qv_memory.h"
#include "host/qv_model.h"
#include "host/variable_registry.h"

QV_PtrVectorObject::QV_PtrVectorObject() : m_references(0) {}
QV_PtrVectorObject::QV_PtrVectorObject(const QV_PtrVectorObject&) : IDispatch(), m_references(0) {}
QV_PtrVectorObject& QV_PtrVectorObject::operator=(const QV_PtrVectorObject&) {
    return *this;
}
QV_PtrVectorObject::~QV_PtrVectorObject() = default;
void QV_PtrVectorObject::Destroy() {
    delete this;
}
const char* QV_PtrVectorObject::Name() const {
    return "";
}
unsigned long QV_PtrVectorObject::AddRef() {
    return ++m_references;
}
unsigned long QV_PtrVectorObject::Release() {
    if (m_references == 0 || --m_references == 0) {
        delete this;
        return 0;
    }
    return m_references;
}
long QV_PtrVectorObject::QueryInterface(const _GUID&, void** object) {
    if (object) *object = nullptr;
    return qvhost::NoSuchInterface;
}
long QV_PtrVectorObject::GetTypeInfoCount(unsigned int* count) {
    if (count) *count = 0;
    return qvhost::AutomationDone;
}
long QV_PtrVectorObject::GetTypeInfo(unsigned int, unsigned long, ITypeInfo** info) {
    if (info) *info = nullptr;
    return qvhost::NotImplemented;
}
long QV_PtrVectorObject::GetIDsOfNames(const _GUID&, unsigned short**, unsigned int, unsigned long,
                                       long*) {
    return qvhost::NotImplemented;
}
long QV_PtrVectorObject::Invoke(long, const _GUID&, unsigned long, unsigned short, tagDISPPARAMS*,
                                tagVARIANT*, tagEXCEPINFO*, unsigned int*) {
    return qvhost::NotImplemented;
}

struct QV_Containable::Record {
    std::string name;
    std::string description;
    bool hasDescription = false;
    std::string longIndexText; // an index text too long to keep inline
    QV_Container* owner = nullptr;
    QV_Containable* filedIn = nullptr;
    int direction = 0;
    int hostPortType = 0;
    std::vector<QV_Containable*> dependents; // of a QV_VarParamProp
    // Of a QV_VarParam: what InitializeSystemAttributes took from its type's defaults.
    SUValue lower;
    SUValue valid;
    SUValue quantity;
    SUValue unit;
    // Of a QV_VarParam: the bounds a procedure reads, when SetBounds gave them.
    double lowerBound = -DBL_MAX;
    double upperBound = DBL_MAX;
};

QV_Containable::QV_Containable()
    : m_indexText{}, m_record(nullptr), m_parent(nullptr), m_exported(true),
      m_form(QV_RegistrationForm::None) {}

// A copy is a new, unregistered property: the registration belongs to the original.
QV_Containable::QV_Containable(const QV_Containable&) : QV_Containable() {}
QV_Containable& QV_Containable::operator=(const QV_Containable&) {
    return *this;
}
QV_Containable::~QV_Containable() {
    delete m_record;
}

QV_Containable::Record& QV_Containable::record() {
    if (!m_record) m_record = new Record();
    return *m_record;
}

QV_Container* QV_Containable::Owner() const {
    return m_record ? m_record->owner : nullptr;
}
const char* QV_Containable::Name() const {
    return m_record ? m_record->name.c_str() : "";
}
bool QV_Containable::IsToBeExported() const {
    return m_exported;
}
void QV_Containable::ClearExported() {
    m_exported = false;
}
QV_RegistrationForm QV_Containable::RegistrationForm() const {
    return m_form;
}
QV_Containable* QV_Containable::Parent() const {
    return m_parent;
}
const char* QV_Containable::Description() const {
    return m_record && m_record->hasDescription ? m_record->description.c_str() : nullptr;
}
int QV_Containable::Direction() const {
    return m_record ? m_record->direction : 0;
}
void QV_Containable::SetDirection(int direction) {
    if (m_record || direction != 0) record().direction = direction;
}
int QV_Containable::HostPortType() const {
    return m_record ? m_record->hostPortType : 0;
}
void QV_Containable::HostPortType(int type) {
    if (m_record || type != 0) record().hostPortType = type;
}
QV_Containable* QV_Containable::FiledIn() const {
    return m_record ? m_record->filedIn : nullptr;
}
void QV_Containable::SetFiledIn(QV_Containable* property) {
    if (m_record || property) record().filedIn = property;
}

const char* QV_Containable::IndexText() const {
    if (m_record && !m_record->longIndexText.empty()) return m_record->longIndexText.c_str();
    return m_indexText;
}

void QV_Containable::SetElementOf(QV_Containable* array, const char* indexText) {
    m_parent = array;
    const char* text = indexText ? indexText : "";
    const std::size_t length = std::strlen(text);
    if (length < InlineIndexText) {
        std::memcpy(m_indexText, text, length + 1);
        if (m_record) m_record->longIndexText.clear();
    } else {
        record().longIndexText = text;
        m_indexText[0] = 0;
    }
}

bool QV_Containable::IsSolverVariable() const {
    return false;
}

QV_Containable* QV_Containable::Register(QV_Containable* owner, const char* name,
                                         const char* description, int direction,
                                         QV_RegistrationForm form) {
    auto* container = dynamic_cast<QV_Container*>(owner);
    Record& r = record();
    r.owner = container;
    r.name = name ? name : "";
    r.hasDescription = description != nullptr;
    r.description = description ? description : "";
    r.direction = direction;
    m_form = form;
    if (container) container->AddRegisteredProperty(this);
    return this;
}

QV_VarParamProp::QV_VarParamProp() = default;
QV_VarParamProp::QV_VarParamProp(const QV_VarParamProp& other) : QV_Containable(other) {}
QV_VarParamProp& QV_VarParamProp::operator=(const QV_VarParamProp& other) {
    QV_Containable::operator=(other);
    return *this;
}

namespace {
qvhost::DependenceObserver g_dependenceObserver = nullptr;
} // namespace

QV_VarParamProp::~QV_VarParamProp() {
    // Dependents keep pointers to this property: tell each that it is going away.
    if (!recordIfAny()) return;
    std::vector<QV_Containable*> dependents;
    dependents.swap(record().dependents);
    for (QV_Containable* d : dependents) {
        if (auto* array = dynamic_cast<QV_Matrix*>(d)) array->DependenceLost(this);
        if (g_dependenceObserver) g_dependenceObserver(d, this);
    }
}

void qvhost::ObserveDependences(DependenceObserver observer) {
    g_dependenceObserver = observer;
}

namespace {
// The property as the holder of a value, or null for one that holds none.
const QV_VarParam* Valued(const QV_VarParamProp* property) {
    return dynamic_cast<const QV_VarParam*>(property);
}
QV_VarParam* Valued(QV_VarParamProp* property) {
    return dynamic_cast<QV_VarParam*>(property);
}

bool g_stringNullWithoutText = false;
} // namespace

QV_AssignStatus QV_VarParamProp::Assign(QV_Value* value) {
    QV_VarParam* valued = Valued(this);
    if (!valued || !value || valued->m_fixed) return QV_AssignKept;
    valued->SetValue(*value);
    return QV_AssignTaken;
}

double QV_VarParamProp::Real() const {
    const QV_VarParam* valued = Valued(this);
    return valued ? valued->m_value.RealValue() : 0.0;
}

int QV_VarParamProp::Integer() const {
    const QV_VarParam* valued = Valued(this);
    if (!valued) return 0;
    const SUValue& v = valued->m_value;
    if (v.Type() != SUValue::TypeReal) return v.IntValue();
    const double value = v.RealValue();
    return value >= INT_MIN && value <= INT_MAX ? static_cast<int>(value) : 0;
}

const char* QV_VarParamProp::String() const {
    const QV_VarParam* valued = Valued(this);
    const char* text = valued ? valued->m_value.Text() : "";
    return g_stringNullWithoutText && *text == '\0' ? nullptr : text;
}
void QV_VarParamProp::SetStringNullWithoutText(bool null) {
    g_stringNullWithoutText = null;
}

bool QV_VarParamProp::IsDefaultAssignment() const {
    const QV_VarParam* valued = Valued(this);
    return valued && valued->m_assigned;
}

void QV_VarParamProp::SetCurrentValue(double value) {
    if (QV_VarParam* valued = Valued(this)) {
        valued->Take(SUValue(value));
        valued->m_assigned = false;
    }
}
void QV_VarParamProp::SetCurrentValue(const char* value) {
    if (QV_VarParam* valued = Valued(this)) {
        valued->Take(SUValue(value ? value : ""));
        valued->m_assigned = false;
    }
}

double QV_VarParamProp::QV_LOWERValue() const {
    return recordIfAny() ? recordIfAny()->lowerBound : -DBL_MAX;
}
double QV_VarParamProp::QV_UPPERValue() const {
    return recordIfAny() ? recordIfAny()->upperBound : DBL_MAX;
}

void QV_VarParamProp::AddDependent(QV_Containable* dependent) {
    auto& list = record().dependents;
    if (std::find(list.begin(), list.end(), dependent) == list.end()) list.push_back(dependent);
}

void QV_VarParamProp::RemoveDependent(QV_Containable* dependent) {
    if (!recordIfAny()) return;
    auto& list = record().dependents;
    list.erase(std::remove(list.begin(), list.end(), dependent), list.end());
}

int QV_VarParamProp::DependentCount() const {
    return recordIfAny() ? static_cast<int>(recordIfAny()->dependents.size()) : 0;
}

QV_Type* QV_Type::AddProperty(QV_Containable* owner, const char* name, const char* description,
                              QV_Direction direction, bool) {
    Register(owner, name, description, direction, QV_RegistrationForm::Type);
    return this;
}

void QV_Type::DumpStructure() {}
int QV_Type::PortCount(bool) const {
    return 0;
}
QV_Type* QV_Type::GetPort(int&, bool) {
    return nullptr;
}
QV_Type* QV_Type::UnsetIsToBeExported() {
    ClearExported();
    return this;
}

QV_VarParam::QV_VarParam(unsigned short kind)
    : m_kind(static_cast<unsigned char>(kind)), m_fixed(false), m_assigned(true), m_lastNumber(0),
      m_systemIndex(-1), m_registryId(0), m_lastA(0), m_lastB(0), m_value(kind) {}

QV_VarParam::QV_VarParam(const QV_VarParam& other)
    : QV_Type(other), m_kind(other.m_kind), m_fixed(other.m_fixed), m_assigned(other.m_assigned),
      m_lastNumber(0), m_systemIndex(-1), m_registryId(0), m_lastA(0), m_lastB(0),
      m_value(other.m_value) {
    if (const Record* attributes = other.recordIfAny()) {
        Record& mine = record();
        mine.lower = attributes->lower;
        mine.valid = attributes->valid;
        mine.quantity = attributes->quantity;
        mine.unit = attributes->unit;
        mine.lowerBound = attributes->lowerBound;
        mine.upperBound = attributes->upperBound;
    }
}

QV_VarParam& QV_VarParam::operator=(const QV_VarParam& other) {
    QV_Type::operator=(other);
    Take(other.m_value);
    m_fixed = other.m_fixed;
    m_assigned = other.m_assigned;
    if (other.recordIfAny() || recordIfAny())
        SetBounds(other.QV_LOWERValue(), other.QV_UPPERValue());
    return *this;
}

QV_VarParam::~QV_VarParam() {
    qvhost::VariableRegistry::Release(*this);
}

namespace {
const SUValue& NoAttribute() {
    static const SUValue none;
    return none;
}
} // namespace

void QV_VarParam::Unfix() {
    m_fixed = false;
}
bool QV_VarParam::IsFixed() const {
    return m_fixed;
}
const QV_SetValue& QV_VarParam::Value() const {
    return m_value;
}
unsigned short QV_VarParam::Kind() const {
    return m_kind;
}
double QV_VarParam::Numeric() const {
    return m_value.RealValue();
}
int QV_VarParam::LastAssignmentNumber() const {
    return m_lastNumber;
}
unsigned QV_VarParam::LastTagA() const {
    return m_lastA;
}
unsigned QV_VarParam::LastTagB() const {
    return m_lastB;
}
int QV_VarParam::SystemIndex() const {
    return m_systemIndex;
}
void QV_VarParam::SetSystemIndex(int index) {
    m_systemIndex = index;
}

const SUValue& QV_VarParam::Lower() const {
    return recordIfAny() ? recordIfAny()->lower : NoAttribute();
}
const SUValue& QV_VarParam::Valid() const {
    return recordIfAny() ? recordIfAny()->valid : NoAttribute();
}
const char* QV_VarParam::PhysicalQuantity() const {
    return recordIfAny() ? recordIfAny()->quantity.Text() : "";
}
const char* QV_VarParam::BaseUnit() const {
    return recordIfAny() ? recordIfAny()->unit.Text() : "";
}

void QV_VarParam::Take(const SUValue& value) {
    switch (m_kind) {
    case SUValue::TypeReal:
        m_value = SUValue(value.RealValue());
        break;
    case SUValue::TypeInteger:
        m_value = SUValue(value.IntValue());
        break;
    case SUValue::TypeText:
        if (value.Type() == SUValue::TypeText) {
            m_value = SUValue(value.Text());
        } else {
            char text[32];
            std::snprintf(text, sizeof text, "%.17g", value.RealValue());
            m_value = SUValue(text);
        }
        break;
    default: // sets
        if (value.IsSet()) {
            m_value = value;
        } else if (value.Type() == SUValue::TypeText) {
            m_value = QV_StrSetValue(value.Text());
        } else {
            m_value = QV_SetValue(m_kind);
            if (value.Type() != SUValue::TypeNone) m_value += value.IntValue();
        }
        break;
    }
}

void QV_VarParam::SetValue(const SUValue& value) {
    Take(value);
    m_assigned = true;
    if (auto tagged = dynamic_cast<const QV_Value*>(&value)) {
        m_lastNumber = tagged->Number();
        m_lastA = tagged->TagA();
        m_lastB = tagged->TagB();
    }
}

void QV_VarParam::UserSet(const SUValue& value) {
    Take(value);
    m_fixed = true;
    m_assigned = false;
}
void QV_VarParam::UserSet(int value) {
    UserSet(SUValue(value));
}
void QV_VarParam::UserSet(double value) {
    UserSet(SUValue(value));
}
void QV_VarParam::UserSet(const char* value) {
    UserSet(SUValue(value));
}

void QV_VarParam::SetBounds(double lower, double upper) {
    Record& mine = record();
    mine.lowerBound = lower;
    mine.upperBound = upper;
}

QV_Value* QV_VarParam::QV_DefaultVALUE() const {
    return nullptr;
}
QV_Value* QV_VarParam::QV_DefaultLOWER() const {
    return nullptr;
}
QV_Value* QV_VarParam::QV_DefaultVALID() const {
    return nullptr;
}
int QV_VarParam::QV_PQCol() const {
    return 0;
}
int QV_VarParam::QV_PQRow() const {
    return 0;
}
QV_Value* QV_VarParam::QV_DefaultPHYSICALQUANTITY() const {
    return nullptr;
}
QV_Value* QV_VarParam::QV_DefaultBASEUOMNAME() const {
    return nullptr;
}

void QV_VarParam::InitializeSystemAttributes() {
    if (const QV_Value* v = QV_DefaultVALUE()) Take(*v);
    const QV_Value* lower = QV_DefaultLOWER();
    const QV_Value* valid = QV_DefaultVALID();
    const QV_Value* quantity = QV_DefaultPHYSICALQUANTITY();
    const QV_Value* unit = QV_DefaultBASEUOMNAME();
    if (!lower && !valid && !quantity && !unit) return;
    Record& attributes = record();
    if (lower) attributes.lower = *lower;
    if (valid) attributes.valid = *valid;
    if (quantity) attributes.quantity = *quantity;
    if (unit) attributes.unit = *unit;
}
