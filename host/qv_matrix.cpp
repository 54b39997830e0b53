#include "host/qv_matrix.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "host/pod_array.h"

namespace {
// The slots live in blocks of the large stores (pod_array.h): a grid of millions of slots has
// pages of its own and grows without a copy.
QV_Type** NewSlots(long long count) {
    return static_cast<QV_Type**>(
        qvhost::GrowBlock(nullptr, 0, 0, static_cast<std::size_t>(count) * sizeof(QV_Type*)));
}
void FreeSlots(QV_Type** slots, unsigned capacity) {
    qvhost::FreeBlock(slots, capacity * sizeof(QV_Type*));
}
} // namespace

QV_LongPtrVectorOwnsData::QV_LongPtrVectorOwnsData() : m_slots(nullptr), m_size(0), m_capacity(0) {}
QV_LongPtrVectorOwnsData::~QV_LongPtrVectorOwnsData() {
    Clear();
}
unsigned QV_LongPtrVectorOwnsData::Elements() const {
    return m_size;
}
QV_Type*& QV_LongPtrVectorOwnsData::operator[](unsigned slot) const {
    return m_slots[slot];
}

void QV_LongPtrVectorOwnsData::Clear() {
    for (unsigned k = 0; k < m_size; ++k)
        delete m_slots[k];
    FreeSlots(m_slots, m_capacity);
    m_slots = nullptr;
    m_size = 0;
    m_capacity = 0;
}

bool QV_LongPtrVectorOwnsData::AddNullEntries(int position, int count, int stride) {
    if (position < 0 || count < 0 || stride <= 0) return false;
    const long long run = static_cast<long long>(count) * stride;
    const bool single = m_size == 0 || run == 0;
    const long long runLength = single ? m_size : run;
    const long long runs = single ? 1 : m_size / run;
    if (!single && m_size % run != 0) return false; // not a grid of such runs
    const long long insertAt = static_cast<long long>(position) * stride;
    if (insertAt > runLength) return false;
    const long long newSize = static_cast<long long>(m_size) + runs * stride;
    if (newSize > INT_MAX) return false;

    if (runs == 1) {
        if (newSize > m_capacity) {
            const long long capacity =
                std::min<long long>(INT_MAX, std::max(newSize, 2LL * m_capacity));
            void* grown =
                qvhost::GrowBlock(m_slots, m_capacity * sizeof(QV_Type*), m_size * sizeof(QV_Type*),
                                  static_cast<std::size_t>(capacity) * sizeof(QV_Type*));
            if (!grown) return false;
            m_slots = static_cast<QV_Type**>(grown);
            m_capacity = static_cast<unsigned>(capacity);
        }
        std::copy_backward(m_slots + insertAt, m_slots + m_size, m_slots + newSize);
        std::fill(m_slots + insertAt, m_slots + insertAt + stride, nullptr);
        m_size = static_cast<unsigned>(newSize);
        return true;
    }

    QV_Type** slots = NewSlots(newSize);
    if (!slots) return false;
    long long to = 0;
    for (long long r = 0; r < runs; ++r) {
        const long long from = r * runLength;
        for (long long k = 0; k < insertAt; ++k)
            slots[to++] = m_slots[from + k];
        for (long long k = 0; k < stride; ++k)
            slots[to++] = nullptr;
        for (long long k = insertAt; k < runLength; ++k)
            slots[to++] = m_slots[from + k];
    }
    FreeSlots(m_slots, m_capacity);
    m_slots = slots;
    m_size = static_cast<unsigned>(newSize);
    m_capacity = m_size;
    return true;
}

struct QV_Matrix::PendingIndex {
    std::string text;
};

QV_Matrix::QV_Matrix(int n, QV_SetValue* setValues)
    : m_Position(0), m_DeclaredSets{}, m_pending(new PendingIndex()), m_setValues(setValues),
      m_indexCount(n) {}

namespace {
// The set values of an array are members of the array object, so a copy's own lie at the same
// distance from its QV_Matrix part as the original's do from the original's.
QV_SetValue* SameMemberIn(QV_Matrix& copy, const QV_Matrix& original, const QV_SetValue* member) {
    if (!member) return nullptr;
    const std::uintptr_t offset =
        reinterpret_cast<std::uintptr_t>(member) - reinterpret_cast<std::uintptr_t>(&original);
    return reinterpret_cast<QV_SetValue*>(reinterpret_cast<std::uintptr_t>(&copy) + offset);
}
} // namespace

QV_Matrix::QV_Matrix(const QV_Matrix& other)
    : QV_Type(other), m_Position(0), m_DeclaredSets{}, m_pending(new PendingIndex()),
      m_setValues(SameMemberIn(*this, other, other.m_setValues)), m_indexCount(other.m_indexCount) {
}

QV_Matrix& QV_Matrix::operator=(const QV_Matrix& other) {
    if (this == &other) return *this;
    QV_Type::operator=(other);
    m_Elements.Clear();
    const unsigned size = other.m_Elements.Elements();
    if (size == 0 || !m_Elements.AddNullEntries(0, 0, static_cast<int>(size))) return *this;
    for (unsigned slot = 0; slot < size; ++slot) {
        const QV_Type* source = other.m_Elements[slot];
        if (!source) continue;
        QV_Type* element = NewElement();
        if (!element) continue;
        auto* target = dynamic_cast<QV_VarParam*>(element);
        auto* from = dynamic_cast<const QV_VarParam*>(source);
        if (target && from) *target = *from;
        element->SetElementOf(this, source->IndexText());
        m_Elements[slot] = element;
    }
    return *this;
}

QV_Matrix::~QV_Matrix() {
    CancelDependenceOnDeclaredSets();
    delete m_pending;
}

int QV_Matrix::NewElements() {
    return 0;
}
void QV_Matrix::CreateMissingArrayElement(const char*) {}

QV_Type* QV_Matrix::AddElement() {
    std::string text;
    text.swap(m_pending->text);
    if (m_Position < 0 || static_cast<unsigned>(m_Position) >= m_Elements.Elements())
        return nullptr;
    QV_Type*& slot = m_Elements[static_cast<unsigned>(m_Position)];
    if (slot) return slot;
    QV_Type* element = NewElement();
    if (!element) return nullptr;
    element->SetElementOf(this, text.c_str());
    slot = element;
    return element;
}

void QV_Matrix::AddIndexToString(int value, int position) {
    AddIndexToString(std::to_string(value).c_str(), position);
}

void QV_Matrix::AddIndexToString(const char* value, int position) {
    if (position == 0)
        m_pending->text.clear();
    else
        m_pending->text += ',';
    m_pending->text += value ? value : "";
}

namespace {
const char* SkipBlanks(const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    return text;
}
} // namespace

bool QV_Matrix::ReadIndex(const char*& text, int& value, char terminator) {
    if (!text) return false;
    const char* start = SkipBlanks(text);
    char* end = nullptr;
    errno = 0;
    const long read = std::strtol(start, &end, 10);
    if (end == start || errno == ERANGE || read < INT_MIN || read > INT_MAX) return false;
    end = const_cast<char*>(SkipBlanks(end));
    if (*end != terminator) return false;
    value = static_cast<int>(read);
    text = end + 1;
    return true;
}

bool QV_Matrix::ReadIndex(const char*& text, char* buffer, char terminator) {
    if (!text || !buffer) return false;
    const char* start = SkipBlanks(text);
    const char* end = std::strchr(start, terminator);
    if (!end) return false;
    const char* last = end;
    while (last > start && (last[-1] == ' ' || last[-1] == '\t'))
        --last;
    const std::size_t length = static_cast<std::size_t>(last - start);
    if (length == 0 || length >= IndexBufferSize) return false;
    std::memcpy(buffer, start, length);
    buffer[length] = 0;
    text = end + 1;
    return true;
}

void QV_Matrix::CancelDependenceOnDeclaredSets() {
    for (QV_Set*& set : m_DeclaredSets) {
        if (set) set->RemoveDependent(this);
        set = nullptr;
    }
}

void QV_Matrix::DeclareSet(QV_Set& set) {
    CancelDependenceOnDeclaredSets();
    m_DeclaredSets[0] = &set;
    set.AddDependent(this);
}

void QV_Matrix::DependenceLost(QV_Containable* set) {
    for (QV_Set*& declared : m_DeclaredSets)
        if (declared == set) declared = nullptr;
}

int QV_Matrix::PortCount(bool all) const {
    int count = 0;
    for (unsigned slot = 0; slot < m_Elements.Elements(); ++slot)
        if (const QV_Type* element = m_Elements[slot]) count += element->PortCount(all);
    return count;
}

QV_Type* QV_Matrix::GetPort(int& index, bool all) {
    for (unsigned slot = 0; slot < m_Elements.Elements(); ++slot)
        if (QV_Type* element = m_Elements[slot])
            if (QV_Type* port = element->GetPort(index, all)) return port;
    return nullptr;
}

int QV_Matrix::IndexCount() const {
    return m_indexCount;
}
const QV_SetValue& QV_Matrix::IndexValues(int k) const {
    return m_setValues[k];
}
QV_Type* QV_Matrix::ElementAt(unsigned slot) const {
    return slot < m_Elements.Elements() ? m_Elements[slot] : nullptr;
}

const char* QV_Matrix::QV_ContainerId() {
    return "Array MATRIX\tV8.8";
}

// The one-index arrays of the host follow the same rules as the model library's arrays of
// several indices: a new index value joins the array's own index values, and the element is
// created on first access.
namespace {
template <class Array, class Key> QV_Type* FindOne(Array& array, QV_SetValue& values, Key key) {
    const unsigned before = array.m_Elements.Elements();
    const bool present = values.SetContains(key, array.m_Position);
    if (present && static_cast<unsigned>(array.m_Position) < before)
        if (QV_Type* element = array.m_Elements[static_cast<unsigned>(array.m_Position)])
            return element; // the usual case: nothing to grow, nothing to make
    // The slots grow before the new value joins the index values, so that a refused growth
    // leaves both as they were.
    const int size = values.SetSize() + (present ? 0 : 1);
    const bool grown = before == 0 ? array.m_Elements.AddNullEntries(0, 0, size)
                       : present   ? true
                                   : array.m_Elements.AddNullEntries(array.m_Position, size - 1, 1);
    if (!grown) return nullptr;
    if (!present) values.SetAddAtOffset(key, array.m_Position);
    QV_Type* element = array.m_Elements[static_cast<unsigned>(array.m_Position)];
    if (element) return element;
    array.AddIndexToString(key, 0);
    return array.AddElement();
}

template <class Array, class Reader> int NewAll(Array& array, QV_SetValue& values, Reader valueAt) {
    const unsigned size = static_cast<unsigned>(values.SetSize());
    if (array.m_Elements.Elements() == 0 && size > 0 &&
        !array.m_Elements.AddNullEntries(0, 0, static_cast<int>(size)))
        return 0;
    if (array.m_Elements.Elements() != size) return 0;
    int made = 0;
    for (unsigned k = 0; k < size; ++k) {
        if (array.m_Elements[k]) continue;
        array.m_Position = static_cast<int>(k);
        array.AddIndexToString(valueAt(k), 0);
        if (array.AddElement()) ++made;
    }
    return made;
}
} // namespace

QV_BASE_I::QV_BASE_I() : QV_Matrix(1, &m_SetValue), m_SetValue(SUValue::TypeIntegerSet) {}
QV_BASE_I::QV_BASE_I(const QV_BASE_I& other) : QV_Matrix(other), m_SetValue(other.m_SetValue) {
    MeasureRun();
}
QV_BASE_I& QV_BASE_I::operator=(const QV_BASE_I& other) {
    QV_Matrix::operator=(other);
    m_SetValue = other.m_SetValue;
    MeasureRun();
    return *this;
}
QV_BASE_I::~QV_BASE_I() = default;

void QV_BASE_I::MeasureRun() {
    m_runFirst = m_SetValue.SetSize() > 0 ? m_SetValue.Integer(0) : 0;
    m_runLength = 0;
    ExtendRun();
}

void QV_BASE_I::ExtendRun() {
    const int size = m_SetValue.SetSize();
    while (m_runLength < size &&
           m_SetValue.Integer(m_runLength) == static_cast<long long>(m_runFirst) + m_runLength)
        ++m_runLength;
}

// A value that joins inside the run can only come before its first value (the run leaves no
// gap); one that joins after it leaves it as it is. Each case costs no more than the
// insertion itself.
void QV_BASE_I::TakeNewValue(int value, int position) {
    if (position == 0) {
        const bool before = m_runLength > 0 && value == static_cast<long long>(m_runFirst) - 1;
        m_runLength = before ? m_runLength + 1 : 1;
        m_runFirst = value;
    } else if (position < m_runLength) {
        m_runLength = position;
    }
    ExtendRun();
}

QV_Type* QV_BASE_I::Find(int x) {
    const long long slot = static_cast<long long>(x) - m_runFirst;
    if (slot >= 0 && slot < m_runLength && slot < m_Elements.Elements())
        if (QV_Type* element = m_Elements[static_cast<unsigned>(slot)]) {
            m_Position = static_cast<int>(slot);
            return element;
        }
    const int before = m_SetValue.SetSize();
    QV_Type* element = FindOne(*this, m_SetValue, x);
    if (m_SetValue.SetSize() != before) TakeNewValue(x, m_Position);
    return element;
}
void QV_BASE_I::SetDim(QV_Set& set) {
    DeclareSet(set);
}
int QV_BASE_I::NewElements() {
    return NewAll(*this, m_SetValue,
                  [this](unsigned k) { return m_SetValue.Integer(static_cast<int>(k)); });
}
void QV_BASE_I::CreateMissingArrayElement(const char* text) {
    int value;
    if (ReadIndex(text, value, ')')) Find(value);
}

QV_BASE_S::QV_BASE_S() : QV_Matrix(1, &m_SetValue), m_SetValue(SUValue::TypeStringSet) {}
QV_BASE_S::QV_BASE_S(const QV_BASE_S& other) : QV_Matrix(other), m_SetValue(other.m_SetValue) {}
QV_BASE_S& QV_BASE_S::operator=(const QV_BASE_S& other) {
    QV_Matrix::operator=(other);
    m_SetValue = other.m_SetValue;
    return *this;
}
QV_BASE_S::~QV_BASE_S() = default;
QV_Type* QV_BASE_S::Find(const char* x) {
    return FindOne(*this, m_SetValue, x ? x : "");
}
void QV_BASE_S::SetDim(QV_Set& set) {
    DeclareSet(set);
}
int QV_BASE_S::NewElements() {
    return NewAll(*this, m_SetValue,
                  [this](unsigned k) { return m_SetValue.String(static_cast<int>(k)); });
}
void QV_BASE_S::CreateMissingArrayElement(const char* text) {
    char value[IndexBufferSize];
    if (ReadIndex(text, value, ')')) Find(value);
}
