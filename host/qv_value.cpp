#include "host/qv_value.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "host/integer_members.h"

struct SUValue::Payload {
    std::string text;
    qvhost::IntegerMembers integers;
    std::vector<std::string> strings;
};

namespace {
bool StringLess(const std::string& a, const char* b) {
    return std::strcmp(a.c_str(), b) < 0;
}

// Replaces the integers and the texts of `mine` by what `merge` (a union or an intersection of
// two sorted lists) makes of them and of those of `theirs`.
template <class Members, class Merging>
void Merge(Members& mine, const Members& theirs, Merging merge) {
    std::vector<int> ints;
    merge(mine.integers.Members(), theirs.integers.Members(), ints);
    mine.integers.Assign(std::move(ints));
    std::vector<std::string> strings;
    merge(mine.strings, theirs.strings, strings);
    mine.strings.swap(strings);
}
} // namespace

SUValue::SUValue() : m_type(TypeNone), m_isRun(false), m_payload(nullptr) {}
SUValue::SUValue(int value) : m_type(TypeInteger), m_isRun(false), m_int(value) {}
SUValue::SUValue(double value) : m_type(TypeReal), m_isRun(false), m_real(value) {}
SUValue::SUValue(const char* text) : m_type(TypeText), m_isRun(false), m_payload(nullptr) {
    if (text) payload().text = text;
}
SUValue::SUValue(const SUValue& other)
    : m_type(other.m_type), m_isRun(other.m_isRun), m_payload(nullptr) {
    if (other.m_type == TypeInteger)
        m_int = other.m_int;
    else if (other.m_type == TypeReal)
        m_real = other.m_real;
    else if (other.m_isRun)
        m_run = other.m_run;
    else if (other.m_payload)
        m_payload = new Payload(*other.m_payload);
}

SUValue& SUValue::operator=(const SUValue& other) {
    if (this == &other) return *this;
    if (other.IsNumber() || other.m_isRun || !other.m_payload) {
        dropPayload();
        m_type = other.m_type;
        m_isRun = other.m_isRun;
        if (m_type == TypeInteger)
            m_int = other.m_int;
        else if (m_type == TypeReal)
            m_real = other.m_real;
        else if (m_isRun)
            m_run = other.m_run;
        else
            m_payload = nullptr;
        return *this;
    }
    Payload* mine = content() ? m_payload : nullptr;
    if (mine)
        *mine = *other.m_payload;
    else
        mine = new Payload(*other.m_payload);
    m_type = other.m_type;
    m_isRun = false;
    m_payload = mine;
    return *this;
}

SUValue::~SUValue() {
    dropPayload();
}

void SUValue::dropPayload() {
    if (!IsNumber() && !m_isRun) delete m_payload;
}

SUValue::Payload& SUValue::payload() {
    if (IsNumber()) ResetType(TypeSet);
    if (m_isRun) {
        std::vector<int> members(static_cast<std::size_t>(m_run.count));
        for (int k = 0; k < m_run.count; ++k)
            members[static_cast<std::size_t>(k)] = m_run.first + k;
        auto* laidOut = new Payload();
        laidOut->integers.Assign(std::move(members));
        m_isRun = false;
        m_payload = laidOut;
    }
    if (!m_payload) m_payload = new Payload();
    return *m_payload;
}

void SUValue::BecomeRun(int first, int count) {
    dropPayload();
    m_isRun = true;
    m_run = {first, count};
}

void SUValue::Compact() {
    const Payload* p = content();
    if (p && p->text.empty() && p->strings.empty() && p->integers.RunCount() <= 1)
        BecomeRun(p->integers.Empty() ? 0 : p->integers.At(0), p->integers.Size());
}

bool SUValue::IsSet() const {
    return m_type == TypeSet || m_type == TypeIntegerSet || m_type == TypeStringSet;
}

void SUValue::ResetType(unsigned short type) {
    if (type == TypeInteger || type == TypeReal) {
        dropPayload();
        m_type = type;
        m_isRun = false;
        if (type == TypeInteger)
            m_int = 0;
        else
            m_real = 0.0;
        return;
    }
    BecomeRun(0, 0);
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
unsigned short SUValue::Type() const {
    return m_type;
}
SUValue::operator const char*() const {
    return Text();
}
const char* SUValue::Text() const {
    const Payload* p = content();
    return p ? p->text.c_str() : "";
}

int SUValue::SetSize() const {
    if (m_isRun) return m_run.count;
    const Payload* p = content();
    return p ? p->integers.Size() + static_cast<int>(p->strings.size()) : 0;
}

int SUValue::SetContains(int value, int& position) const {
    if (m_isRun) {
        const long long offset = static_cast<long long>(value) - m_run.first;
        const bool present = offset >= 0 && offset < m_run.count;
        position = present ? static_cast<int>(offset) : offset < 0 ? 0 : m_run.count;
        return present ? 1 : 0;
    }
    const Payload* p = content();
    if (!p) {
        position = 0;
        return 0;
    }
    return p->integers.Find(value, position) ? 1 : 0;
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
    if (IsNumber()) ResetType(TypeSet); // a number has no members: it becomes a set first
    if (m_isRun) {
        // A value that continues the run at either end keeps the set a run.
        const int count = m_run.count;
        position = std::clamp(position, 0, count);
        if (count == 0) {
            m_run = {value, 1};
            return;
        }
        if (count < INT_MAX && position == count && value == m_run.first + 1LL * count) {
            ++m_run.count;
            return;
        }
        if (count < INT_MAX && position == 0 && value == m_run.first - 1LL) {
            m_run = {value, count + 1};
            return;
        }
    }
    auto& members = payload().integers;
    members.Insert(std::clamp(position, 0, members.Size()), value);
    Compact(); // the value may close the last gap
}

void SUValue::SetAddAtOffset(const char* value, int position) {
    auto& v = payload().strings;
    position = std::clamp(position, 0, static_cast<int>(v.size()));
    v.insert(v.begin() + position, value ? value : "");
}

int SUValue::IntegerAt(int k) const {
    if (m_isRun) return k >= 0 && k < m_run.count ? m_run.first + k : 0;
    const Payload* p = content();
    if (!p || k < 0 || k >= p->integers.Size()) return 0;
    return p->integers.At(k);
}

const char* SUValue::StringAt(int k) const {
    const Payload* p = content();
    if (!p || k < 0 || k >= static_cast<int>(p->strings.size())) return "";
    return p->strings[k].c_str();
}

void SUValue::Clear(int) {
    if (m_isRun) m_run.count = 0;
    if (!content()) return;
    m_payload->integers.Clear();
    m_payload->strings.clear();
    Compact();
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
    if (other.SetSize() == 0) return *this;
    if (m_isRun && other.m_isRun) {
        // Two runs that overlap or meet make one run.
        const Run& run = other.m_run;
        const long long end = m_run.first + 1LL * m_run.count,
                        addedEnd = run.first + 1LL * run.count;
        const long long first = m_run.count ? std::min(m_run.first, run.first) : run.first;
        const long long last = m_run.count ? std::max(end, addedEnd) : addedEnd;
        const bool joined = m_run.count == 0 || (run.first <= end && m_run.first <= addedEnd);
        if (joined && last - first <= INT_MAX) {
            m_run = {static_cast<int>(first), static_cast<int>(last - first)};
            return *this;
        }
    }
    SUValue apart(other); // laid out apart from this set, which may be the other set
    const Payload& theirs = apart.payload();
    auto& mine = payload();
    // Members that all follow this set's last one are appended: growing a set in ascending
    // runs stays linear.
    const bool intsFollow = theirs.integers.Empty() || mine.integers.Empty() ||
                            theirs.integers.At(0) > mine.integers.At(mine.integers.Size() - 1);
    const bool stringsFollow = theirs.strings.empty() || mine.strings.empty() ||
                               theirs.strings.front() > mine.strings.back();
    if (intsFollow && stringsFollow) {
        mine.integers.Append(theirs.integers.Members());
        mine.strings.insert(mine.strings.end(), theirs.strings.begin(), theirs.strings.end());
    } else {
        Merge(mine, theirs, [](const auto& a, const auto& b, auto& merged) {
            std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(merged));
        });
    }
    Compact();
    return *this;
}

SUValue& SUValue::operator*=(const SUValue& other) {
    if (IsNumber() || SetSize() == 0) return *this;
    if (other.IsNumber()) {
        Clear(0);
        return *this;
    }
    SUValue apart(other); // laid out apart from this set, which may be the other set
    const Payload& theirs = apart.payload();
    Merge(payload(), theirs, [](const auto& a, const auto& b, auto& merged) {
        std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(merged));
    });
    Compact();
    return *this;
}

int SUValue::operator>=(const char* text) const {
    int position;
    return SetContains(text, position) ? 1 : 0;
}

bool SUValue::operator==(const SUValue& other) const {
    if (IsSet() != other.IsSet()) return false;
    if (IsSet()) {
        if (m_isRun && other.m_isRun)
            return m_run.count == other.m_run.count &&
                   (m_run.count == 0 || m_run.first == other.m_run.first);
        if (SetSize() != other.SetSize()) return false;
        SUValue a(*this), b(other);
        const Payload &pa = a.payload(), &pb = b.payload();
        return pa.integers == pb.integers && pa.strings == pb.strings;
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
QV_IntSetValue::~QV_IntSetValue() = default;

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
QV_StrSetValue::~QV_StrSetValue() = default;

QV_Value::QV_Value(int value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(double value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(const char* value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(const SUValue& value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(const QV_SetValue& value, unsigned b, unsigned a, int number)
    : SUValue(value), m_b(b), m_a(a), m_number(number) {}
QV_Value::QV_Value(int value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::QV_Value(double value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::QV_Value(const char* value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::QV_Value(const SUValue& value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::QV_Value(const QV_SetValue& value, unsigned tag) : QV_Value(value, tag, 0, 0) {}
QV_Value::~QV_Value() = default;
unsigned QV_Value::TagB() const {
    return m_b;
}
unsigned QV_Value::TagA() const {
    return m_a;
}
int QV_Value::Number() const {
    return m_number;
}

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
QV_IntegerSetIter::QV_IntegerSetIter(const QV_IntSetValue& set) : QV_SetIter(set) {}
QV_IntegerSetIter::~QV_IntegerSetIter() = default;
int QV_IntegerSetIter::v() {
    return m_set.IntegerAt(m_position);
}
int QV_IntegerSetIter::fv() const {
    return m_set.IntegerAt(m_position);
}

QV_StringSetIter::QV_StringSetIter(const SUValue& set) : QV_SetIter(set) {}
const char* QV_StringSetIter::v() {
    return m_set.StringAt(m_position);
}
