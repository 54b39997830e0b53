#include "host/qv_links.h"

QV_ExternalBase::QV_ExternalBase(QV_Type* linked) : m_linked(linked) {}
QV_ExternalBase::QV_ExternalBase(const QV_ExternalBase& other)
    : QV_Containable(other), m_linked(other.m_linked) {}
QV_ExternalBase& QV_ExternalBase::operator=(const QV_ExternalBase& other) {
    QV_Containable::operator=(other);
    m_linked = other.m_linked;
    return *this;
}
QV_ExternalBase::~QV_ExternalBase() = default;

QV_ExternalBase* QV_ExternalBase::AddProperty(QV_Containable* owner, const char* name,
                                              const char* description, QV_Direction direction,
                                              bool) {
    Register(owner, name, description, direction, QV_RegistrationForm::External);
    return this;
}

QV_Type* QV_ExternalBase::ExternalLink() const {
    return m_linked;
}
bool QV_ExternalBase::Link(QV_Type* target) {
    if (auto* container = dynamic_cast<QV_Container*>(target))
        if (!container->ContainerDerivesFrom(ExternalTypeName())) return false;
    m_linked = target;
    return true;
}

QV_VirtualBase::QV_VirtualBase(QV_Type* filed) : QV_STRINGPARAMETER(false), m_filed(filed) {}

QV_VirtualBase& QV_VirtualBase::operator=(const QV_VirtualBase& other) {
    QV_STRINGPARAMETER::operator=(other);
    auto* to = dynamic_cast<QV_VarParam*>(m_filed);
    auto* from = dynamic_cast<const QV_VarParam*>(other.m_filed);
    if (to && from) *to = *from;
    return *this;
}

QV_VirtualBase::~QV_VirtualBase() {
    delete m_filed;
}

QV_Type* QV_VirtualBase::AddProperty(QV_Containable* owner, const char* name,
                                     const char* description, QV_Direction direction, bool) {
    Register(owner, name, description, direction, QV_RegistrationForm::Virtual);
    VirtualLink();
    return this;
}

QV_Type* QV_VirtualBase::VirtualLink() {
    if (!m_filed) File(NewDefaultVirtual());
    return m_filed;
}

void QV_VirtualBase::File(QV_Type* object) {
    if (object == m_filed) return;
    delete m_filed;
    m_filed = object;
    if (object) object->SetFiledIn(this);
    SetValue(SUValue(object ? VirtualBaseType() : ""));
}

void QV_VirtualBase::PropertyChanged() {
    if (QV_Type* fresh = NewDefaultVirtual()) File(fresh);
}

QV_GlobalStructureRefBase::QV_GlobalStructureRefBase(QV_ModelType* structure)
    : QV_STRINGPARAMETER(false), m_structure(structure), m_dummy(nullptr) {}

QV_GlobalStructureRefBase&
QV_GlobalStructureRefBase::operator=(const QV_GlobalStructureRefBase& other) {
    QV_STRINGPARAMETER::operator=(other);
    m_structure = other.m_structure;
    return *this;
}

QV_GlobalStructureRefBase::~QV_GlobalStructureRefBase() {
    delete m_dummy;
}

QV_ModelType* QV_GlobalStructureRefBase::Dereference() {
    if (m_structure) return m_structure;
    if (!m_dummy) m_dummy = CreateDummyInstance();
    return m_dummy;
}

bool QV_GlobalStructureRefBase::SetStructure(QV_ModelType* structure) {
    if (structure && !CheckCompatibleStructureType(structure)) return false;
    m_structure = structure;
    return true;
}

void QV_GlobalStructureRefBase::RemoveActivityAndCancelDependencyForPropertiesControlledBy() {}
