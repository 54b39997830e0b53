#include "host/driver/host_properties.h"

QV_Type* PropertyObject(const QV_Container& owner, const char* name) {
    QV_Containable* property = owner.FindProperty(name);
    if (auto* replaceable = dynamic_cast<QV_VirtualBase*>(property))
        return replaceable->VirtualLink();
    return dynamic_cast<QV_Type*>(property);
}

QV_VarParam* ValueOf(const QV_Container& owner, const char* name) {
    return dynamic_cast<QV_VarParam*>(PropertyObject(owner, name));
}

QV_BASE_I* ArrayOf(const QV_Container& owner, const char* name) {
    return dynamic_cast<QV_BASE_I*>(PropertyObject(owner, name));
}

QV_Matrix* MatrixOf(const QV_Container& owner, const char* name) {
    return dynamic_cast<QV_Matrix*>(PropertyObject(owner, name));
}

QV_Type* ExistingElement(const QV_BASE_I& array, int key) {
    int position;
    if (!array.IndexValues(0).SetContains(key, position)) return nullptr;
    return array.ElementAt(static_cast<unsigned>(position));
}
