// Property templates: typed views of the host's reference, type-replaceable and array
// properties. They hold no state of their own; what each adds is what only T can supply:
// the object it creates, the container id it reports, and typed access. Access operators
// forward to the host at every use and check nothing.
#pragma once

#include <type_traits>

#include "framework/index_containers.h"
#include "framework/library_new.h"
#include "host/qvcore.h"

namespace norvane {
// The host classes that the property templates make: array elements and defaults.
template <> struct IsHostClass<QV_REALPARAMETER> : std::true_type {};
template <> struct IsHostClass<QV_REALVARIABLE> : std::true_type {};
template <> struct IsHostClass<QV_PARTIALDERIVATIVE> : std::true_type {};

// Makes T with the flag true where its constructor takes one, else with no argument.
template <class T> T* NewWithFlag() {
    if constexpr (std::is_constructible_v<T, bool>)
        return LibraryNew<LibraryMade<T>>(true);
    else
        return LibraryNew<LibraryMade<T>>();
}
} // namespace norvane

template <class T> class QV_External : public QV_ExternalBase {
public:
    QV_External() : QV_ExternalBase(nullptr) {}
    QV_External(const QV_External& other) : QV_ExternalBase(other) {}
    ~QV_External() override {}
    QV_External& operator=(const QV_External& other) {
        QV_ExternalBase::operator=(other);
        return *this;
    }
    T& operator*() { return static_cast<T&>(*ExternalLink()); }
    const char* ExternalTypeName() override { return T::QV_ContainerId(); }
};

template <class T> class QV_Virtual : public QV_VirtualBase {
public:
    QV_Virtual() : QV_VirtualBase(nullptr) { QV_STRINGPARAMETER::InitializeSystemAttributes(); }
    ~QV_Virtual() override {}
    QV_Virtual& operator=(const QV_Virtual& other) {
        QV_VirtualBase::operator=(other);
        return *this;
    }
    T& operator*() { return static_cast<T&>(*VirtualLink()); }
    QV_Type* NewDefaultVirtual() override { return norvane::NewWithFlag<T>(); }
    const char* VirtualBaseType() override { return T::QV_ContainerId(); }
};

// Arrays over one integer, one text, two or three integer indices. Elements are made with
// the flag true; operator() finds an element, creating it when missing.
template <class T, class Element = T> class QV_ARRAY_I : public QV_BASE_I {
public:
    QV_ARRAY_I() {}
    QV_ARRAY_I(const QV_ARRAY_I& other) : QV_BASE_I(other) {}
    ~QV_ARRAY_I() override {}
    QV_ARRAY_I& operator=(const QV_ARRAY_I& other) {
        QV_BASE_I::operator=(other);
        return *this;
    }
    QV_ARRAY_I& operator*() { return *this; }
    QV_ARRAY_I& v() { return *this; }
    T& operator()(int x) { return static_cast<T&>(*Find(x)); }
    QV_Type* NewElement() override { return norvane::NewWithFlag<Element>(); }
};

template <class T, class Element = T> class QV_ARRAY_S : public QV_BASE_S {
public:
    QV_ARRAY_S() {}
    QV_ARRAY_S(const QV_ARRAY_S& other) : QV_BASE_S(other) {}
    ~QV_ARRAY_S() override {}
    QV_ARRAY_S& operator=(const QV_ARRAY_S& other) {
        QV_BASE_S::operator=(other);
        return *this;
    }
    QV_ARRAY_S& operator*() { return *this; }
    QV_ARRAY_S& v() { return *this; }
    T& operator()(const char* x) { return static_cast<T&>(*Find(x)); }
    QV_Type* NewElement() override { return norvane::NewWithFlag<Element>(); }
};

template <class T, class Element = T> class QV_ARRAY_II : public QV_BASE_II {
public:
    QV_ARRAY_II() {}
    QV_ARRAY_II(const QV_ARRAY_II& other) : QV_BASE_II(other) {}
    ~QV_ARRAY_II() override {}
    QV_ARRAY_II& operator=(const QV_ARRAY_II& other) {
        QV_BASE_II::operator=(other);
        return *this;
    }
    QV_ARRAY_II& operator*() { return *this; }
    QV_ARRAY_II& v() { return *this; }
    T& operator()(int x, int y) { return static_cast<T&>(*Find(x, y)); }
    QV_Type* NewElement() override { return norvane::NewWithFlag<Element>(); }
};

template <class T, class Element = T> class QV_ARRAY_III : public QV_BASE_III {
public:
    QV_ARRAY_III() {}
    QV_ARRAY_III(const QV_ARRAY_III& other) : QV_BASE_III(other) {}
    ~QV_ARRAY_III() override {}
    QV_ARRAY_III& operator=(const QV_ARRAY_III& other) {
        QV_BASE_III::operator=(other);
        return *this;
    }
    QV_ARRAY_III& operator*() { return *this; }
    QV_ARRAY_III& v() { return *this; }
    T& operator()(int x, int y, int z) { return static_cast<T&>(*Find(x, y, z)); }
    QV_Type* NewElement() override { return norvane::NewWithFlag<Element>(); }
};

template <class T> class QV_GLOBALSTRUCTUREREFNAME : public QV_GlobalStructureRefBase {
public:
    QV_GLOBALSTRUCTUREREFNAME() : QV_GlobalStructureRefBase(nullptr) {}
    ~QV_GLOBALSTRUCTUREREFNAME() override {}
    QV_GLOBALSTRUCTUREREFNAME& operator=(const QV_GLOBALSTRUCTUREREFNAME& other) {
        QV_GlobalStructureRefBase::operator=(other);
        return *this;
    }
    operator T&() { return static_cast<T&>(*Dereference()); }
    T& operator*() { return static_cast<T&>(*Dereference()); }
    QV_ModelType* CreateDummyInstance() override { return norvane::LibraryNew<T>(true); }
    bool CheckCompatibleStructureType(QV_ModelType* structure) override {
        return structure->ContainerDerivesFrom(T::QV_ContainerId());
    }
};

// 1 when `text` is a member of `set`, else 0; never another value.
int StringInSet(const char* text, const QV_SetValue& set);

// The instances of the property templates that the library exports are named once, beside the
// class of their argument. The library's one source that makes them
// (exports/property_template_instances.cpp) defines NORVANE_DEFINE_INSTANCES; every other
// translation unit, of the library or of a module that uses it, declares them, and so uses the
// library's (tables and deleting destructors included) instead of making a copy of its own.
#if defined(NORVANE_DEFINE_INSTANCES)
#define QV_LIBRARY_INSTANCE template class NORVANE_CLASS
#else
#define QV_LIBRARY_INSTANCE extern template class NORVANE_DECLARED_CLASS
#endif
#define QV_COMMA ,
// A reference and a type-replaceable property of type T.
#define QV_PROPERTY_TEMPLATE_INSTANCES(T)                                                          \
    QV_LIBRARY_INSTANCE QV_External<T>;                                                            \
    QV_LIBRARY_INSTANCE QV_Virtual<T>
// An array of T elements, and its reference and type-replaceable property.
#define QV_ARRAY_TEMPLATE_INSTANCES(Array, T)                                                      \
    QV_LIBRARY_INSTANCE Array<T, T>;                                                               \
    QV_PROPERTY_TEMPLATE_INSTANCES(Array<T QV_COMMA T>)

// Over the host's classes.
QV_LIBRARY_INSTANCE QV_External<QV_INTEGERPARAMETER>;
QV_LIBRARY_INSTANCE QV_Virtual<QV_REALPARAMETER>;
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_I, QV_REALPARAMETER);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_I, QV_PARTIALDERIVATIVE);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_I, QV_REALVARIABLE);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_II, QV_PARTIALDERIVATIVE);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_II, QV_REALVARIABLE);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_III, QV_PARTIALDERIVATIVE);
QV_ARRAY_TEMPLATE_INSTANCES(QV_ARRAY_III, QV_REALVARIABLE);
