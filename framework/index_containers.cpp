// The 28 index containers. Everything that they do is written once, in IndexGrid below, a
// template over the kinds of the indices; each container's members are one-line calls into
// it, so that every member is still a member of the named class itself (the host and other
// libraries reach them under the class's own decorated names).
#include "framework/index_containers.h"

#include <climits>
#include <cstddef>
#include <tuple>
#include <utility>

#include "framework/abstract_class_deletion.h"

namespace {

// Slot numbers, strides and AddNullEntries arguments are ints: a grid of more slots can never
// exist. Sizes and slot numbers are computed in 64 bits and saturate at TooBig, so that no
// product of set sizes can overflow (each factor stays at most 2^31, each product below 2^62).
constexpr long long GridLimit = INT_MAX;
constexpr long long TooBig = GridLimit + 1;

long long Saturate(long long value) {
    return value > TooBig ? TooBig : value;
}

// What differs between an integer index and a text index.
struct IntIndex {
    using Arg = int;
    using Buffer = int;
    static constexpr unsigned short SetType = SUValue::TypeIntegerSet;
    static int Normalize(int x) { return x; }
    static int ValueAt(const QV_SetValue& set, int k) { return set.Integer(k); }
    static bool Read(const char*& text, int& value, char terminator) {
        return QV_Matrix::ReadIndex(text, value, terminator);
    }
    static int Value(const int& value) { return value; }
};

struct StrIndex {
    using Arg = const char*;
    // Each text index is read into a buffer of its own, so that all of them reach Find.
    struct Buffer {
        char text[QV_Matrix::IndexBufferSize];
    };
    static constexpr unsigned short SetType = SUValue::TypeStringSet;
    // A null text stands for the empty text: the set would otherwise never find it again and
    // add a further "" at each lookup.
    static const char* Normalize(const char* x) { return x ? x : ""; }
    static const char* ValueAt(const QV_SetValue& set, int k) { return set.String(k); }
    // The host refuses a text that does not fit the buffer; it never truncates or overruns.
    static bool Read(const char*& text, Buffer& buffer, char terminator) {
        return QV_Matrix::ReadIndex(text, buffer.text, terminator);
    }
    static const char* Value(const Buffer& buffer) { return buffer.text; }
};

// One QV_Set& parameter per index, for SetDim.
template <class> struct SetParameter { using Type = QV_Set&; };

// The grid logic of an array over the index kinds Kinds..., working on the host base of the
// array and its set values (`sets`, one per index, in index order).
template <class... Kinds> class IndexGrid {
public:
    static constexpr int Count = static_cast<int>(sizeof...(Kinds));
    using Values = std::tuple<typename Kinds::Arg...>;
    using Buffers = std::tuple<typename Kinds::Buffer...>;
    using Indices = std::make_index_sequence<sizeof...(Kinds)>;
    template <std::size_t K> using Kind = std::tuple_element_t<K, std::tuple<Kinds...>>;

    static void TypeSetValues(QV_SetValue* sets) { TypeSetValues(sets, Indices()); }

    // The indices are taken from the last to the first: the null slots of a new value of
    // index k go in with the stride of the later indices' sizes, after their own insertions,
    // while the earlier indices still have their old sizes. After each step the vector is the
    // dense row-major grid of the sizes so far. On an empty vector no null slots are added per
    // index; the whole grid is made at once afterwards. A lookup of an element that exists asks
    // each set value for the value's position and, for the strides, its size, and reads one slot.
    static QV_Type* Find(QV_Matrix& array, QV_SetValue* sets, typename Kinds::Arg... x) {
        const Values values{Kinds::Normalize(x)...};
        const unsigned slots = array.m_Elements.Elements();
        const bool sized = slots != 0;
        long long stride = 1;
        long long position = 0;
        bool grown = false;
        if (!Place<Count - 1>(array, sets, values, sized, stride, position, grown)) return nullptr;
        // On an empty vector `stride` is now the size of the whole grid.
        if (!sized) {
            if (stride > GridLimit ||
                !array.m_Elements.AddNullEntries(0, 0, static_cast<int>(stride)))
                return nullptr;
            grown = true;
        }
        // Only a vector that is not the grid of the set values can fail this test; its slots
        // are not read then. The slot count is read again only when this lookup changed it.
        const unsigned now = grown ? array.m_Elements.Elements() : slots;
        if (position >= static_cast<long long>(now)) return nullptr;
        array.m_Position = static_cast<int>(position);
        if (QV_Type* element = array.m_Elements[static_cast<unsigned>(position)]) return element;
        BuildIndexString(array, values, Indices());
        return array.AddElement();
    }

    static void SetDim(QV_Matrix& array, typename SetParameter<Kinds>::Type... s) {
        array.CancelDependenceOnDeclaredSets();
        int k = 0;
        ((array.m_DeclaredSets[k++] = &s, s.AddDependent(&array)), ...);
    }

    static void BuildIndexString(QV_Matrix& array, typename Kinds::Arg... x) {
        BuildIndexString(array, Values(Kinds::Normalize(x)...), Indices());
    }

    static int NewElements(QV_Matrix& array, QV_SetValue* sets) {
        long long grid = 1;
        for (int k = 0; k < Count; ++k)
            grid = Saturate(grid * sets[k].SetSize());
        // The backward walk needs exactly one slot per grid point. A vector that no Find has
        // sized yet (a copy, say) gets its grid of null slots first; a vector of any other
        // length than the grid is left alone and nothing is made.
        if (array.m_Elements.Elements() == 0 && grid > 0 &&
            (grid > GridLimit || !array.m_Elements.AddNullEntries(0, 0, static_cast<int>(grid))))
            return 0;
        if (static_cast<long long>(array.m_Elements.Elements()) != grid) return 0;

        int positions[Count];
        long long slot = grid;
        array.m_Position = static_cast<int>(slot);
        int made = 0;
        Walk<0>(array, sets, positions, slot, made);
        return made;
    }

    static void CreateMissingArrayElement(QV_Matrix& array, QV_SetValue* sets, const char* text) {
        if (!text) return;
        Buffers buffers{};
        if (ReadAll(text, buffers, Indices())) FindRead(array, sets, buffers, Indices());
    }

private:
    template <std::size_t... K>
    static void TypeSetValues(QV_SetValue* sets, std::index_sequence<K...>) {
        (sets[K].ResetType(Kind<K>::SetType), ...);
    }

    template <std::size_t... K>
    static void BuildIndexString(QV_Matrix& array, const Values& values,
                                 std::index_sequence<K...>) {
        (array.AddIndexToString(std::get<K>(values), static_cast<int>(K)), ...);
    }

    // Locates the value of index K in its set value and adds to `position` its part of the
    // slot number, then goes on with index K - 1; `grown` is set when a value joins its set. False
    // when the grid could not grow.
    template <int K>
    static bool Place(QV_Matrix& array, QV_SetValue* sets, const Values& values, bool sized,
                      long long& stride, long long& position, bool& grown) {
        QV_SetValue& set = sets[K];
        const auto value = std::get<K>(values);
        int p = 0;
        if (!set.SetContains(value, p)) {
            // The hyperplane of null slots (one run per combination of the earlier indices,
            // whose values still number the old size) goes in before the value joins its set:
            // when the vector refuses, the set value stays as it was and the grid dense.
            if (sized && (stride > GridLimit || !array.m_Elements.AddNullEntries(
                                                    p, set.SetSize(), static_cast<int>(stride))))
                return false;
            set.SetAddAtOffset(value, p);
            grown = true;
        }
        position = Saturate(position + static_cast<long long>(p) * stride);
        if constexpr (K > 0) {
            stride = Saturate(stride * set.SetSize());
            return Place<K - 1>(array, sets, values, sized, stride, position, grown);
        } else {
            // The size of the whole grid is needed only to make it.
            if (!sized) stride = Saturate(stride * set.SetSize());
            return true;
        }
    }

    // The grid points from the last to the first, the first index outermost; `slot` runs
    // backwards in step with them.
    template <int K>
    static void Walk(QV_Matrix& array, QV_SetValue* sets, int (&positions)[Count], long long& slot,
                     int& made) {
        for (positions[K] = sets[K].SetSize() - 1; positions[K] >= 0; --positions[K]) {
            if constexpr (K + 1 < Count)
                Walk<K + 1>(array, sets, positions, slot, made);
            else
                Visit(array, sets, positions, slot, made);
        }
    }

    static void Visit(QV_Matrix& array, QV_SetValue* sets, const int (&positions)[Count],
                      long long& slot, int& made) {
        --slot;
        // An element's construction could still change the array under the walk; the walk
        // then makes nothing outside the vector.
        if (slot < 0 || slot >= static_cast<long long>(array.m_Elements.Elements())) return;
        array.m_Position = static_cast<int>(slot);
        if (array.m_Elements[static_cast<unsigned>(slot)]) return;
        BuildAt(array, sets, positions, Indices());
        // Counts the elements made: a refused creation leaves its slot null and is not counted.
        if (array.AddElement()) ++made;
    }

    template <std::size_t... K>
    static void BuildAt(QV_Matrix& array, QV_SetValue* sets, const int (&positions)[Count],
                        std::index_sequence<K...>) {
        BuildIndexString(array, Values(Kind<K>::ValueAt(sets[K], positions[K])...), Indices());
    }

    // Reads the values one after the other, "," ending each but the last, ")" the last; stops
    // at the first that cannot be read.
    template <std::size_t... K>
    static bool ReadAll(const char*& text, Buffers& buffers, std::index_sequence<K...>) {
        return (Kind<K>::Read(text, std::get<K>(buffers), K + 1 < sizeof...(K) ? ',' : ')') && ...);
    }

    template <std::size_t... K>
    static void FindRead(QV_Matrix& array, QV_SetValue* sets, const Buffers& buffers,
                         std::index_sequence<K...>) {
        Find(array, sets, Kind<K>::Value(std::get<K>(buffers))...);
    }
};

} // namespace

// A copy's set values are copies of the source's (their type comes along); the host base finds
// them at the same place in the copy as in the source.
#define QV_SET_VALUE_COPIES_2(o)                                                                   \
    { o.m_SetValues[0], o.m_SetValues[1] }
#define QV_SET_VALUE_COPIES_3(o)                                                                   \
    { o.m_SetValues[0], o.m_SetValues[1], o.m_SetValues[2] }
#define QV_SET_VALUE_COPIES_4(o)                                                                   \
    { o.m_SetValues[0], o.m_SetValues[1], o.m_SetValues[2], o.m_SetValues[3] }

// The members that do not depend on the number of indices. The host base only stores the
// address of the set values, which are constructed after it.
#define QV_DEFINE_INDEX_CONTAINER(Name, N, ...)                                                    \
    Name::Name() : QV_Matrix(N, m_SetValues) {                                                     \
        IndexGrid<__VA_ARGS__>::TypeSetValues(m_SetValues);                                        \
    }                                                                                              \
    Name::Name(const Name& other)                                                                  \
        : QV_Matrix(other), m_SetValues QV_SET_VALUE_COPIES_##N(other) {}                          \
    Name& Name::operator=(const Name& other) {                                                     \
        if (this == &other) return *this;                                                          \
        QV_Matrix::operator=(other);                                                               \
        for (int k = 0; k < N; ++k)                                                                \
            m_SetValues[k] = other.m_SetValues[k];                                                 \
        return *this;                                                                              \
    }                                                                                              \
    Name::~Name() {}                                                                               \
    int Name::NewElements() {                                                                      \
        return IndexGrid<__VA_ARGS__>::NewElements(*this, m_SetValues);                            \
    }                                                                                              \
    void Name::CreateMissingArrayElement(const char* text) {                                       \
        IndexGrid<__VA_ARGS__>::CreateMissingArrayElement(*this, m_SetValues, text);               \
    }                                                                                              \
    NORVANE_ABSTRACT_CLASS_DELETION(Name)

#define QV_INDEX_CONTAINER_2(Name, K1, K2)                                                         \
    QV_DEFINE_INDEX_CONTAINER(Name, 2, K1, K2)                                                     \
    QV_Type* Name::Find(K1::Arg x1, K2::Arg x2) {                                                  \
        return IndexGrid<K1, K2>::Find(*this, m_SetValues, x1, x2);                                \
    }                                                                                              \
    void Name::SetDim(QV_Set& s1, QV_Set& s2) {                                                    \
        IndexGrid<K1, K2>::SetDim(*this, s1, s2);                                                  \
    }                                                                                              \
    void Name::BuildIndexString(K1::Arg x1, K2::Arg x2) {                                          \
        IndexGrid<K1, K2>::BuildIndexString(*this, x1, x2);                                        \
    }

#define QV_INDEX_CONTAINER_3(Name, K1, K2, K3)                                                     \
    QV_DEFINE_INDEX_CONTAINER(Name, 3, K1, K2, K3)                                                 \
    QV_Type* Name::Find(K1::Arg x1, K2::Arg x2, K3::Arg x3) {                                      \
        return IndexGrid<K1, K2, K3>::Find(*this, m_SetValues, x1, x2, x3);                        \
    }                                                                                              \
    void Name::SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3) {                                        \
        IndexGrid<K1, K2, K3>::SetDim(*this, s1, s2, s3);                                          \
    }                                                                                              \
    void Name::BuildIndexString(K1::Arg x1, K2::Arg x2, K3::Arg x3) {                              \
        IndexGrid<K1, K2, K3>::BuildIndexString(*this, x1, x2, x3);                                \
    }

#define QV_INDEX_CONTAINER_4(Name, K1, K2, K3, K4)                                                 \
    QV_DEFINE_INDEX_CONTAINER(Name, 4, K1, K2, K3, K4)                                             \
    QV_Type* Name::Find(K1::Arg x1, K2::Arg x2, K3::Arg x3, K4::Arg x4) {                          \
        return IndexGrid<K1, K2, K3, K4>::Find(*this, m_SetValues, x1, x2, x3, x4);                \
    }                                                                                              \
    void Name::SetDim(QV_Set& s1, QV_Set& s2, QV_Set& s3, QV_Set& s4) {                            \
        IndexGrid<K1, K2, K3, K4>::SetDim(*this, s1, s2, s3, s4);                                  \
    }                                                                                              \
    void Name::BuildIndexString(K1::Arg x1, K2::Arg x2, K3::Arg x3, K4::Arg x4) {                  \
        IndexGrid<K1, K2, K3, K4>::BuildIndexString(*this, x1, x2, x3, x4);                        \
    }

// The kinds here must match the parameter types declared in the header: a mismatch leaves
// the definition without a declaration and does not compile.
QV_INDEX_CONTAINER_2(QV_BASE_II, IntIndex, IntIndex)
QV_INDEX_CONTAINER_3(QV_BASE_III, IntIndex, IntIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_IIII, IntIndex, IntIndex, IntIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_IIIS, IntIndex, IntIndex, IntIndex, StrIndex)
QV_INDEX_CONTAINER_3(QV_BASE_IIS, IntIndex, IntIndex, StrIndex)
QV_INDEX_CONTAINER_4(QV_BASE_IISI, IntIndex, IntIndex, StrIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_IISS, IntIndex, IntIndex, StrIndex, StrIndex)
QV_INDEX_CONTAINER_2(QV_BASE_IS, IntIndex, StrIndex)
QV_INDEX_CONTAINER_3(QV_BASE_ISI, IntIndex, StrIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_ISII, IntIndex, StrIndex, IntIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_ISIS, IntIndex, StrIndex, IntIndex, StrIndex)
QV_INDEX_CONTAINER_3(QV_BASE_ISS, IntIndex, StrIndex, StrIndex)
QV_INDEX_CONTAINER_4(QV_BASE_ISSI, IntIndex, StrIndex, StrIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_ISSS, IntIndex, StrIndex, StrIndex, StrIndex)
QV_INDEX_CONTAINER_2(QV_BASE_SI, StrIndex, IntIndex)
QV_INDEX_CONTAINER_3(QV_BASE_SII, StrIndex, IntIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SIII, StrIndex, IntIndex, IntIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SIIS, StrIndex, IntIndex, IntIndex, StrIndex)
QV_INDEX_CONTAINER_3(QV_BASE_SIS, StrIndex, IntIndex, StrIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SISI, StrIndex, IntIndex, StrIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SISS, StrIndex, IntIndex, StrIndex, StrIndex)
QV_INDEX_CONTAINER_2(QV_BASE_SS, StrIndex, StrIndex)
QV_INDEX_CONTAINER_3(QV_BASE_SSI, StrIndex, StrIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SSII, StrIndex, StrIndex, IntIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SSIS, StrIndex, StrIndex, IntIndex, StrIndex)
QV_INDEX_CONTAINER_3(QV_BASE_SSS, StrIndex, StrIndex, StrIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SSSI, StrIndex, StrIndex, StrIndex, IntIndex)
QV_INDEX_CONTAINER_4(QV_BASE_SSSS, StrIndex, StrIndex, StrIndex, StrIndex)
