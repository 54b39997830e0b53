// Reaching a model's properties through the host's object model only, as a host does.
#pragma once

#include "host/qvcore.h"

// What property `name` of `owner` holds: for a type-replaceable property the object filed in
// it (made now if none is), else the property itself. Null when there is no such property.
QV_Type* PropertyObject(const QV_Container& owner, const char* name);

// The parameter, variable or set that holds the value of property `name`; null when there is
// none or it holds no value.
QV_VarParam* ValueOf(const QV_Container& owner, const char* name);

// The one-index array of property `name`; null when there is none.
QV_BASE_I* ArrayOf(const QV_Container& owner, const char* name);

// The element of `array` at `key`, or null when it has none; never makes one.
QV_Type* ExistingElement(const QV_BASE_I& array, int key);
