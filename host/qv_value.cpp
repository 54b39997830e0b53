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
    // Where SetContains found an integer last: lookups tend to walk a set in order.
    mutable std::size_t lastFound = 0;
};

namespace {
bool StringLess(const std::string& a, const char* b) {
    return std::strcmp(a.c_str(), b) < 0;
}
bool IsNumber(unsigned short type) {
    return type == SUValue::TypeInteger || type == SUValue::TypeReal;
}
} // namespace

SUValue::SUValue() : m_type(TypeNone), m_payload(nullptr) {}
SUValue::SUValue(int value) : m_type(TypeInteger), m_int(value) {}
SUValue::SUValue(double value) : m_type(TypeReal), m_real(value) {}
SUValue::SUValue(const char* text) : m_type(TypeText), m_payload(nullptr) {
    if (text) payload().text = text;
}
SUValue::SUValue(const SUValue& other) : m_type(other.m_type), m_payload(nullptr) {
    if (other.m_type == TypeInteger)
        m_int = other.m_int;
    else if (other.m_type == TypeReal)
        m_real = other.m_real;
    else if (other.m_payload)
        m_payload = new Payload(*other.m_payload);
}

SUValue& SUValue::operator=(const SUValue& other) {
    if (this == &other) return *this;
    if (IsNumber(other.m_type)) {
        dropPayload();
        m_type = other.m_type;
        if (m_type == TypeInteger)
            m_int = other.m_int;
        else
            m_real = other.m_real;
        return *this;
    }
    Payload* mine = IsNumber(m_type) ? nullptr : m_payload;
    if (other.m_payload && mine)
        *mine = *other.m_payload;
    else if (other.m_payload)
        mine = new Payload(*other.m_payload);
    else if (mine)
        *mine = Payload();
    m_type = other.m_type;
    m_payload = mine;
    return *this;
}

SUValue::~SUValue() {
    dropPayload();
}

void SUValue::dropPayload() {
    if (!IsNumber(m_type)) delete m_payload;
}

SUValue::Payload& SUValue::payload() {
    if (IsNumber(m_type)) {
        m_type = TypeSet;
        m_payload = nullptr;
    }
    if (!m_payload) m_payload = new Payload();
    return *m_payload;
}

bool SUValue::IsSet() const {
    return m_type == TypeSet || m_type == TypeIntegerSet || m_type == TypeStringSet;
}

void SUValue::ResetType(unsigned short type) {
    if (IsNumber(type)) {
        dropPayload();
        m_type = type;
        if (type == TypeInteger)
            m_int = 0;
        else
            m_real = 0.0;
        return;
    }
    if (IsNumber(m_type))
        m_payload = nullptr;
    else if (m_payload)
        *m_payload = Payload();
    m_type = type;
}

int SUValue::IntValue() const {
    if (m_type == TypeReal) return static_cast<int>(m_real);
    return m_type == TypeInteger ? m_int : 0;
}
double SUValue::RealValue() const {
    if (m_type == TypeInteger) return m_int;
    return m_type == TypeReal ? m_real : 0.0;
}
const char* SUValue::Text() const {
    const Payload* p = content();
    return p ? p->text.c_str() : "";
}

int SUValue::SetSize() const {
    const Payload* p = content();
    return p ? static_cast<int>(p->integers.size() + p->strings.size()) : 0;
}

int SUValue::SetContains(int value, int& position) const {
    const Payload* p = content();
    if (!p || p->integers.empty()) {
        position = 0;
        return 0;
    }
    const auto& v = p->integers;
    // No search where a run of consecutive members from the first one would hold the value,
    // at or just after the member found last, or past the last member.
    const long long offset = static_cast<long long>(value) - v.front();
    std::size_t found = v.size();
    if (offset >= 0 && offset < static_cast<long long>(v.size()) && v[offset] == value)
        found = static_cast<std::size_t>(offset);
    else if (p->lastFound < v.size() && v[p->lastFound] == value)
        found = p->lastFound;
    else if (p->lastFound + 1 < v.size() && v[p->lastFound + 1] == value)
        found = p->lastFound + 1;
    if (found < v.size()) {
        p->lastFound = found;
        position = static_cast<int>(found);
        return 1;
    }
    if (value > v.back()) {
        position = static_cast<int>(v.size());
        return 0;
    }
    auto it = std::lower_bound(v.begin(), v.end(), value);
    position = static_cast<int>(it - v.begin());
    const bool present = it != v.end() && *it == value;
    if (present) p->lastFound = static_cast<std::size_t>(position);
    return present;
}

int SUValue::SetContains(const char* value, int& position) const {
    const Payload* p = content();
    if (!p || !value) {
        position = 0;
        return 0;
    }
    const auto& v = p->strings;
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
    const Payload* p = content();
    if (!p || k < 0 || k >= static_cast<int>(p->integers.size())) return 0;
    return p->integers[k];
}

const char* SUValue::StringAt(int k) const {
    const Payload* p = content();
    if (!p || k < 0 || k >= static_cast<int>(p->strings.size())) return "";
    return p->strings[k].c_str();
}

void SUValue::Clear(int) {
    if (!content()) return;
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
    const Payload* added = other.content();
    if (!added) return *this;
    auto& mine = payload();
    const auto& theirs = *added;
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
    std::set_union(mine.integers.begin(), mine.integers.end(), theirs.integers.begin(),
                   theirs.integers.end(), std::back_inserter(ints));
    mine.integers.swap(ints);
    std::vector<std::string> strs;
    std::set_union(mine.strings.begin(), mine.strings.end(), theirs.strings.begin(),
                   theirs.strings.end(), std::back_inserter(strs));
    mine.strings.swap(strs);
    return *this;
}

SUValue& SUValue::operator*=(const SUValue& other) {
    if (!content()) return *this;
    const Payload* theirs = other.content();
    if (!theirs) {
        Clear(0);
        return *this;
    }
    auto& mine = *m_payload;
    std::vector<int> ints;
    std::set_intersection(mine.integers.begin(), mine.integers.end(), theirs->integers.begin(),
                          theirs->integers.end(), std::back_inserter(ints));
    mine.integers.swap(ints);
    std::vector<std::string> strs;
    std::set_intersection(mine.strings.begin(), mine.strings.end(), theirs->strings.begin(),
                          theirs->strings.end(), std::back_inserter(strs));
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
        const Payload& a = content() ? *content() : empty;
        const Payload& b = other.content() ? *other.content() : empty;
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
QV_SetValue::QV_SetValue(const QV_SetValue& other) = default;
QV_SetValue& QV_SetValue::operator=(const SUValue& other) {
    SUValue::operator=(other);
    return *this;
}
QV_SetValue& QV_SetValue::operator=(const QV_SetValue& other) = default;
QV_SetValue::~QV_SetValue() = default;
int QV_SetValue::Integer(int k) const {
    return IntegerAt(k);
}
const char* QV_SetValue::String(int k) const {
    return StringAt(k);
}

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
QV_Value::~QV_Value() = default;

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
int QV_SetIter::Integer() const {
    return m_set.IntegerAt(m_position);
}
const char* QV_SetIter::String() const {
    return m_set.StringAt(m_position);
}

QV_IntegerSetIter::QV_IntegerSetIter(const SUValue& set) : QV_SetIter(set) {}
QV_IntegerSetIter::~QV_IntegerSetIter() = default;
int QV_IntegerSetIter::v() {
    return m_set.IntegerAt(m_position);
}
int QV_IntegerSetIter::fv() const {
    return m_set.IntegerAt(m_position);
}
