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

// The array of property `name`, of any number of indices; null when there is none.
QV_Matrix* MatrixOf(const QV_Container& owner, const char* name);

// The element of `array` at `key`, or null when it has none; never makes one.
QV_Type* ExistingElement(const QV_BASE_I& array, int key);

// Calls visit(element, keys) for each element of an array of integer indices, in slot order:
// keys[k] is the element's k-th index value.
template <class Visit> void ForEachElement(const QV_Matrix& array, Visit visit) {
    const int count = array.IndexCount();
    int sizes[QV_Matrix::MaxIndices] = {};
    unsigned slots = count > 0 ? 1 : 0;
    for (int k = 0; k < count; ++k) {
        sizes[k] = array.IndexValues(k).SetSize();
        slots *= static_cast<unsigned>(sizes[k]);
    }
    // The slots are row-major, the last index fastest: count the positions up like digits.
    int positions[QV_Matrix::MaxIndices] = {};
    int keys[QV_Matrix::MaxIndices] = {};
    for (unsigned slot = 0; slot < slots; ++slot) {
        if (QV_Type* element = array.ElementAt(slot)) {
            for (int k = 0; k < count; ++k)
                keys[k] = array.IndexValues(k).IntegerAt(positions[k]);
            visit(*element, static_cast<const int*>(keys));
        }
        for (int k = count - 1; k >= 0 && ++positions[k] == sizes[k]; --k)
            positions[k] = 0;
    }
}
