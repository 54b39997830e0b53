// The index containers under any index values and index texts: every element found carries
// the index text of its values and is found again without a new block; index texts of any
// bytes make an element or nothing; copies and NewElements keep the grid dense.
#include "framework/index_containers.h"
#include "fuzz/fault.h"
#include "fuzz/text_fuzz.h"

#include <string>
#include <tuple>
#include <utility>

namespace norvane::fuzz {
namespace {

// The kinds of index: an integer or a text.
using I = int;
using S = const char*;

// Grids beyond this many slots are not grown further: the target stays fast.
constexpr long long kMaxSlots = 1 << 14;

// A concrete array over a container: its elements are real variables.
template <class Base> class Array final : public Base {
public:
    QV_Type* NewElement() override { return new QV_REALVARIABLE(true); }
};

std::string IndexText(int value) {
    return std::to_string(value);
}
std::string IndexText(const char* value) {
    return value ? value : "";
}

// A text that an index text can hold as it is: no separator, no blank at either end, short.
bool Writable(const char* text) {
    const std::string t = IndexText(text);
    return !t.empty() && t.size() < QV_Matrix::IndexBufferSize &&
           t.find_first_of(",)") == std::string::npos && t.front() != ' ' && t.front() != '\t' &&
           t.back() != ' ' && t.back() != '\t';
}
bool Writable(int) {
    return true;
}

// The slots of the grid: the product of the sizes of the set values.
long long GridSize(const QV_Matrix& array, bool grown) {
    long long size = 1;
    for (int k = 0; k < array.IndexCount(); ++k)
        size *= array.IndexValues(k).SetSize() + (grown ? 1 : 0);
    return size;
}

// Empty, or the dense row-major grid of the set values with each element where its index
// text says.
void ExpectDenseGrid(const QV_Matrix& array) {
    const unsigned slots = array.m_Elements.Elements();
    if (slots == 0) return;
    if (slots != GridSize(array, false))
        Fault("%u slots in a grid of %lld", slots, GridSize(array, false));
    for (unsigned slot = 0; slot < slots; ++slot) {
        const QV_Type* element = array.ElementAt(slot);
        if (!element) continue;
        std::string text;
        long long rest = slot;
        for (int k = array.IndexCount() - 1; k >= 0; --k) {
            const QV_SetValue& set = array.IndexValues(k);
            const int p = static_cast<int>(rest % set.SetSize());
            rest /= set.SetSize();
            text.insert(0, (k ? "," : "") + (set.Type() == SUValue::TypeIntegerSet
                                                 ? std::to_string(set.Integer(p))
                                                 : std::string(set.String(p))));
        }
        if (text != element->IndexText())
            Fault("slot %u holds element \"%s\", not \"%s\"", slot, element->IndexText(),
                  text.c_str());
    }
}

template <class Base, class... Kinds> class ContainerRun {
public:
    using Args = std::tuple<Kinds...>;
    using Indices = std::index_sequence_for<Kinds...>;

    ContainerRun(ByteReader& in, TextSource& texts) : m_in(in), m_texts(texts) {}

    void Run() {
        for (int op = 0; op < 64 && m_in.Byte() != 0; ++op) {
            const int choice = m_in.Choice(6);
            if (choice < 2 || choice == 3) {
                Find(NextArgs(Indices()), choice == 3);
            } else if (choice == 2 && GridSize(m_array, true) <= kMaxSlots) {
                m_array.CreateMissingArrayElement(m_texts.Next(0));
                ExpectDenseGrid(m_array);
            } else if (choice == 4) { // a copy has the set values and no element
                Array<Base> copy(m_array);
                for (int k = 0; k < m_array.IndexCount(); ++k)
                    if (!(copy.IndexValues(k) == m_array.IndexValues(k)))
                        Fault("a copy has other index values for index %d", k);
                MakeAll(copy);
            } else if (choice == 5) {
                MakeAll(m_array);
            }
        }
        ExpectDenseGrid(m_array);
        Array<Base> assigned;
        assigned = m_array;
        ExpectDenseGrid(assigned);
    }

private:
    template <std::size_t... K> Args NextArgs(std::index_sequence<K...>) {
        return Args{NextArg(Kinds(), static_cast<int>(K))...};
    }
    int NextArg(int, int) {
        const int code = m_in.Byte();
        return code < 240 ? code % 16 - 3 : m_in.Int32();
    }
    const char* NextArg(const char*, int slot) { return m_texts.Next(slot); }

    template <std::size_t... K>
    static std::string Text(const Args& args, std::index_sequence<K...>) {
        std::string text;
        ((text += (K ? "," : "") + IndexText(std::get<K>(args))), ...);
        return text;
    }
    template <std::size_t... K> static bool Writable(const Args& args, std::index_sequence<K...>) {
        return (fuzz::Writable(std::get<K>(args)) && ...);
    }

    QV_Type* FindIn(const Args& args) {
        return std::apply([this](auto... x) { return m_array.Find(x...); }, args);
    }

    // The element of the values, made by Find or, when `fromText`, by their index text where
    // it can hold them as they are: it carries their index text and is found again without a
    // new block.
    void Find(const Args& args, bool fromText) {
        const std::string text = Text(args, Indices());
        if (GridSize(m_array, true) > kMaxSlots || (fromText && !Writable(args, Indices()))) return;
        if (fromText) {
            m_array.CreateMissingArrayElement((text + ")").c_str());
            ExpectDenseGrid(m_array);
        }
        const long before = qvhost::AllocationCalls();
        QV_Type* element = FindIn(args);
        const long after = qvhost::AllocationCalls();
        if (!element || text != element->IndexText() || (fromText && after != before) ||
            FindIn(args) != element || qvhost::AllocationCalls() != after)
            Fault("\"%s\" is not found as it was made", text.c_str());
    }

    // NewElements makes every missing element.
    static void MakeAll(Array<Base>& array) {
        const long long grid = GridSize(array, false);
        if (grid > kMaxSlots) return;
        long long missing = array.m_Elements.Elements() == 0 ? grid : 0;
        for (unsigned slot = 0; slot < array.m_Elements.Elements(); ++slot)
            missing += array.ElementAt(slot) ? 0 : 1;
        if (array.NewElements() != missing) Fault("NewElements did not make every element");
        ExpectDenseGrid(array);
    }

    ByteReader& m_in;
    TextSource& m_texts;
    Array<Base> m_array;
};

template <class Base, class... Kinds> void RunContainer(ByteReader& in, TextSource& texts) {
    ContainerRun<Base, Kinds...>(in, texts).Run();
}

// The host's one-index text array and containers of the library with each kind of index at
// each place, among them the three that keep runs of integer indices. The library writes the
// logic of all 28 once, for any kinds.
void (*const kContainers[])(ByteReader&, TextSource&) = {
    RunContainer<QV_BASE_S, S>,
    RunContainer<QV_BASE_II, I, I>,
    RunContainer<QV_BASE_IS, I, S>,
    RunContainer<QV_BASE_SI, S, I>,
    RunContainer<QV_BASE_SS, S, S>,
    RunContainer<QV_BASE_III, I, I, I>,
    RunContainer<QV_BASE_ISS, I, S, S>,
    RunContainer<QV_BASE_SIS, S, I, S>,
    RunContainer<QV_BASE_IIII, I, I, I, I>,
    RunContainer<QV_BASE_IIIS, I, I, I, S>,
    RunContainer<QV_BASE_SISI, S, I, S, I>,
    RunContainer<QV_BASE_SSSS, S, S, S, S>,
};

} // namespace

void FuzzContainers(ByteReader& in) {
    TextSource texts(in);
    kContainers[in.Choice(sizeof kContainers / sizeof *kContainers)](in, texts);
}

} // namespace norvane::fuzz
