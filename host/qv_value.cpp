#include "host/qv_value.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

struct SUValue::Payload {
    std::string text;
    std::vector<int> integers;
    std::vector<std::string> strings;
};

namespace {
bool StringLess(const std::string& a, const char* b) {
    return std::strcmp(a.c_str(), b) < 0;
}
} // namespace

SUValue::SUValue() : m_type(TypeNone), m_int(0), m_real(0.0), m_payload(nullptr) {}
SUValue::SUValue(int value)
    : m_type(TypeInteger), m_int(value), m_real(value), m_payload(nullptr) {}
SUValue::SUValue(double value) : m_type(TypeReal), m_int(0), m_real(value), m_payload(nullptr) {}
SUValue::SUValue(const char* text) : m_type(TypeText), m_int(0), m_real(0.0), m_payload(nullptr) {
    if (text) payload().text = text;
}
SUValue::SUValue(const SUValue& other)
    : m_type(other.m_type), m_int(other.m_int), m_real(other.m_real),
      m_payload(other.m_payload ? new Payload(*other.m_payload) : nullptr) {}

SUValue& SUValue::operator=(const SUValue& other) {
    if (this == &other) return *this;
    m_type = other.m_type;
    m_int = other.m_int;
    m_real = other.m_real;
    if (other.m_payload)
        payload() = *other.m_payload;
    else if (m_payload)
        *m_payload = Payload();
    return *this;
}

SUValue::~SUValue() {
    delete m_payload;
}

SUValue::Payload& SUValue::payload() {
    if (!m_payload) m_payload = new Payload();
    return *m_payload;
}

bool SUValue::IsSet() const {
    return m_type == TypeSet || m_type == TypeIntegerSet || m_type == TypeStringSet;
}

void SUValue::ResetType(unsigned short type) {
    m_type = type;
    m_int = 0;
    m_real = 0.0;
    if (m_payload) *m_payload = Payload();
}

int SUValue::IntValue() const {
    return m_type == TypeReal ? static_cast<int>(m_real) : m_int;
}
double SUValue::RealValue() const {
    return m_type == TypeInteger ? m_int : m_real;
}
const char* SUValue::Text() const {
    return m_payload ? m_payload->text.c_str() : "";
}

int SUValue::SetSize() const {
    if (!m_payload) return 0;
    return static_cast<int>(m_payload->integers.size() + m_payload->strings.size());
}

int SUValue::SetContains(int value, int& position) const {
    if (!m_payload) {
        position = 0;
        return 0;
    }
    const auto& v = m_payload->integers;
    auto it = std::lower_bound(v.begin(), v.end(), value);
    position = static_cast<int>(it - v.begin());
    return it != v.end() && *it == value;
}

int SUValue::SetContains(const char* value, int& position) const {
    if (!m_payload || !value) {
        position = 0;
        return 0;
    }
    const auto& v = m_payload->strings;
    auto it = std::lower_bound(v.begin(), v.end(), value, StringLess);
    position = static_cast<int>(it - v.begin());
    return it != v.end() && *it == value;
}

void SUValue::SetAddAtOffset(int value, int position) {
    auto& v = payload().integers;
    position = std::clamp(position, 0, static_cast<int>(v.size()));
    v.insert(v.begin() + position, value);
}

void SUValue::SetAddAtOffset(const char* value, int position) {
    auto& v = payload().strings;
    position = std::clamp(position, 0, static_cast<int>(v.size()));
    v.insert(v.begin() + position, value ? value : "");
}

int SUValue::IntegerAt(int k) const {
    if (!m_payload || k < 0 || k >= static_cast<int>(m_payload->integers.size())) return 0;
    return m_payload->integers[k];
}

const char* SUValue::StringAt(int k) const {
    if (!m_payload || k < 0 || k >= static_cast<int>(m_payload->strings.size())) return "";
    return m_payload->strings[k].c_str();
}

void SUValue::Clear(int) {
    if (!m_payload) return;
    m_payload->integers.clear();
    m_payload->strings.clear();
}

SUValue& SUValue::operator+=(int value) {
    if (!IsSet()) ResetType(TypeIntegerSet);
    int position;
    if (!SetContains(value, position)) SetAddAtOffset(value, position);
    return *this;
}

SUValue& SUValue::operator+=(const char* value) {
    if (!IsSet()) ResetType(TypeStringSet);
    int position;
    if (value && !SetContains(value, position)) SetAddAtOffset(value, position);
    return *this;
}

SUValue& SUValue::operator+=(const SUValue& other) {
    if (!IsSet()) ResetType(other.IsSet() ? other.m_type : static_cast<unsigned short>(TypeSet));
    if (!other.m_payload) return *this;
    auto& mine = payload();
    const auto& theirs = *other.m_payload;
    // Members that all follow this set's last one are appended: growing a set in ascending
    // runs stays linear.
    const bool intsFollow = theirs.integers.empty() || mine.integers.empty() ||
                            theirs.integers.front() > mine.integers.back();
    const bool stringsFollow = theirs.strings.empty() || mine.strings.empty() ||
                               theirs.strings.front() > mine.strings.back();
    if (intsFollow && stringsFollow) {
        mine.integers.insert(mine.integers.end(), theirs.integers.begin(), theirs.integers.end());
        mine.strings.insert(mine.strings.end(), theirs.strings.begin(), theirs.strings.end());
        return *this;
    }
    std::vector<int> ints;
    std::set_union(mine.integers.begin(), mine.integers.end(), other.m_payload->integers.begin(),
                   other.m_payload->integers.end(), std::back_inserter(ints));
    mine.integers.swap(ints);
    std::vector<std::string> strs;
    std::set_union(mine.strings.begin(), mine.strings.end(), other.m_payload->strings.begin(),
                   other.m_payload->strings.end(), std::back_inserter(strs));
    mine.strings.swap(strs);
    return *this;
}

SUValue& SUValue::operator*=(const SUValue& other) {
    if (!m_payload) return *this;
    if (!other.m_payload) {
        Clear(0);
        return *this;
    }
    auto& mine = *m_payload;
    std::vector<int> ints;
    std::set_intersection(mine.integers.begin(), mine.integers.end(),
                          other.m_payload->integers.begin(), other.m_payload->integers.end(),
                          std::back_inserter(ints));
    mine.integers.swap(ints);
    std::vector<std::string> strs;
    std::set_intersection(mine.strings.begin(), mine.strings.end(),
                          other.m_payload->strings.begin(), other.m_payload->strings.end(),
                          std::back_inserter(strs));
    mine.strings.swap(strs);
    return *this;
}

int SUValue::operator>=(const char* text) const {
    int position;
    return SetContains(text, position) ? 1 : 0;
}

bool SUValue::operator==(const SUValue& other) const {
    if (IsSet() != other.IsSet()) return false;
    if (IsSet()) {
        static const Payload empty;
        const Payload& a = m_payload ? *m_payload : empty;
        const Payload& b = other.m_payload ? *other.m_payload : empty;
        return a.integers == b.integers && a.strings == b.strings;
    }
    if (m_type == TypeText || other.m_type == TypeText)
        return m_type == other.m_type && std::strcmp(Text(), other.Text()) == 0;
    return RealValue() == other.RealValue();
}

int SUValue::CompareCI(const char* a, const char* b) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    for (;; ++a, ++b) {
        int ca = std::tolower(static_cast<unsigned char>(*a));
        int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

QV_SetValue::QV_SetValue() {
    ResetType(TypeSet);
}
QV_SetValue::QV_SetValue(unsigned short type) {
    ResetType(type);
}
QV_SetValue::QV_SetValue(const SUValue& other) : SUValue(other) {}
QV_SetValue& QV_SetValue::operator=(const SUValue& other) {
    SUValue::operator=(other);
    return *this;
}

QV_IntSetValue::QV_IntSetValue() : QV_SetValue(TypeIntegerSet) {}
QV_IntSetValue::QV_IntSetValue(int low, int high) : QV_SetValue(TypeIntegerSet) {
    if (high == INT_MIN) high = low;
    if (high < low) return;
    // Appending in ascending order keeps the set sorted without searching.
    for (long long k = low; k <= high; ++k)
        SetAddAtOffset(static_cast<int>(k), SetSize());
}
QV_IntSetValue::QV_IntSetValue(const char*) : QV_SetValue(TypeIntegerSet) {}
QV_IntSetValue::QV_IntSetValue(const QV_SetValue& other) : QV_SetValue(other) {}

QV_StrSetValue::QV_StrSetValue() : QV_SetValue(TypeStringSet) {}
QV_StrSetValue::QV_StrSetValue(const char* text) : QV_SetValue(TypeStringSet) {
    if (!text) return;
    std::string piece;
    for (const char* c = text;; ++c) {
        if (*c == '"' || *c == 0) {
            if (!piece.empty()) *this += piece.c_str();
            piece.clear();
            if (*c == 0) break;
        } else {
            piece += *c;
        }
    }
}
QV_StrSetValue::QV_StrSetValue(const QV_SetValue& other) : QV_SetValue(other) {}

QV_Value::QV_Value(int value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(double value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(const char* value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(const SUValue& value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(int value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::QV_Value(double value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::QV_Value(const char* value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::QV_Value(const SUValue& value, unsigned tag) : QV_Value(value, tag, 0, 0) {}

void QV_Value::ResetValue(double value) {
    SUValue::operator=(SUValue(value));
}
void QV_Value::ResetValue(const char* value) {
    SUValue::operator=(SUValue(value ? value : ""));
}

QV_SetIter::QV_SetIter(const SUValue& set) : m_set(set), m_position(-1) {}
bool QV_SetIter::Next() {
    return ++m_position < m_set.SetSize();
}
