#include "framework/property_templates.h"

int StringInSet(const char* text, const QV_SetValue& set) {
    return (set >= text) ? 1 : 0;
}
