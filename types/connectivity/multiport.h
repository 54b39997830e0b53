// Multiports: a port that stands for any number of connections of one port type T. It keeps
// one port T per connection name in CONNECTION, an array over the base's set of connection
// names, and creates the port of a new connection when the host asks for it by name.
//
// The multiport does not follow the generated-type pattern: no Construct, no counters, no
// factory and no container id of its own (the base's). The three instantiations are made in
// multiport.cpp, so that the library holds them; other translation units use those.
//
// A multiport is not copy-constructible: a copy would hold an array dimensioned by nothing
// and registered nowhere. operator= copies the base (with its set of names) and the array.
#pragma once

#include "framework/library_api.h"
#include "framework/property_templates.h"
#include "host/qvcore.h"
#include "types/connectivity/connection_port.h"
#include "types/connectivity/control_port.h"
#include "types/connectivity/generic_port.h"

template <class T> class QV_MULTIPORT : public QV_MULTIPORT_BaseType {
public:
    QV_MULTIPORT();
    QV_MULTIPORT(const QV_MULTIPORT&) = delete;
    ~QV_MULTIPORT() override;
    QV_MULTIPORT& operator=(const QV_MULTIPORT& other);
    QV_MULTIPORT& operator*() { return *this; }

    void DumpStructure() override;
    int PortCount(bool all) const override;
    QV_Type* GetPort(int& index, bool all) override;
    // The port of connection `name`: the name joins the set of connection names, and the
    // array's element for it is returned (the existing one when the name is already there).
    // Null when no port could be made, or when `name` is null (nothing is added then).
    QV_PortType* CreateConnectionPort(const char* name, unsigned value) override;
    // The array's element for `name`, without touching the set of names; null for a null name.
    QV_PortType* FindConnectionPort(const char* name) override;

    QV_ARRAY_S<T, T> CONNECTION;
};

template <class T> QV_MULTIPORT<T>::QV_MULTIPORT() : QV_MULTIPORT_BaseType(), CONNECTION() {
    CONNECTION.AddProperty(this, "CONNECTION", "Active Multiport connections", QV_Direction_None,
                           false);
    CONNECTION.SetDim(m_connectionNames);
}

template <class T> QV_MULTIPORT<T>::~QV_MULTIPORT() = default;

template <class T> QV_MULTIPORT<T>& QV_MULTIPORT<T>::operator=(const QV_MULTIPORT& other) {
    QV_MULTIPORT_BaseType::operator=(other);
    CONNECTION = other.CONNECTION;
    return *this;
}

template <class T> void QV_MULTIPORT<T>::DumpStructure() {
    QV_PortType::DumpStructure();
}

template <class T> int QV_MULTIPORT<T>::PortCount(bool) const {
    return CONNECTION.PortCount(false) + 1;
}

template <class T> QV_Type* QV_MULTIPORT<T>::GetPort(int& index, bool) {
    --index;
    if (index < 0) return this;
    return CONNECTION.GetPort(index, false);
}

template <class T>
QV_PortType* QV_MULTIPORT<T>::CreateConnectionPort(const char* name, unsigned value) {
    // 1, 2: the array takes the multiport's direction and export settings, on every call.
    CONNECTION.SetDirection(Direction());
    if (IsToBeExported())
        CONNECTION.HostPortType(QV_PortType::HostPortType());
    else
        CONNECTION.UnsetIsToBeExported();
    if (!name) return nullptr;
    // 3: the name joins the set of connection names; the status of Assign is not examined.
    QV_Set& names = m_connectionNames;
    QV_StrSetValue extended(static_cast<const QV_SetValue&>(names));
    extended += name;
    QV_Value assigned(extended, value);
    static_cast<QV_VarParamProp&>(names).Assign(&assigned);
    // 4: the array's element for the name; Find gives null when none could be made.
    return static_cast<T*>(CONNECTION.Find(name));
}

template <class T> QV_PortType* QV_MULTIPORT<T>::FindConnectionPort(const char* name) {
    if (!name) return nullptr;
    return static_cast<T*>(CONNECTION.Find(name));
}

extern template class QV_MULTIPORT<QV_CONTROLPORT>;
extern template class QV_MULTIPORT<QV_GENERICPORT>;
extern template class QV_MULTIPORT<QV_CONNECTIONPORT>;

// A flavour class: a multiport of port type Port that adds nothing but its own virtual table.
// Its members are defined out of line, so that the library holds every one of them.
#define QV_MULTIPORT_FLAVOUR(Class, Port)                                                          \
    class NORVANE_CLASS Class : public QV_MULTIPORT<Port> {                                        \
    public:                                                                                        \
        Class();                                                                                   \
        ~Class() override;                                                                         \
        Class& operator=(const Class& other);                                                      \
        Class& operator*();                                                                        \
    }

#define QV_DEFINE_MULTIPORT_FLAVOUR(Class)                                                         \
    Class::Class() = default;                                                                      \
    Class::~Class() = default;                                                                     \
    Class& Class::operator=(const Class& other) = default;                                         \
    Class& Class::operator*() {                                                                    \
        return *this;                                                                              \
    }
