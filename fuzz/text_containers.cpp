// The index containers under any index values and index texts: every element found carries
// the index text of its values and is found again without a new block; index texts of any
// bytes make an element or nothing; copies and NewElements keep the grid dense.
#include "framework/index_containers.h"
#include "fuzz/fault.h"
#include "fuzz/text_areas.h"
#include "fuzz/text_source.h"

#include <string>
#include <tuple>
#include <utility>

namespace norvane::fuzz {
namespace {

// The kinds of index: an integer or a text.
struct I {
    using Arg = int;
};
struct S {
    using Arg = const char*;
};

// Grids beyond this many slots are not grown further: the target stays fast.
constexpr long long kMaxSlots = 1 << 14;

// A concrete array over a container: its elements are real variables.
template <class Base> class Array final : public Base {
public:
    Array() = default;
    Array(const Array& other) : Base(other) {}
    Array& operator=(const Array& other) {
        Base::operator=(other);
        return *this;
    }
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
    using Args = std::tuple<typename Kinds::Arg...>;
    using Indices = std::index_sequence_for<Kinds...>;

    ContainerRun(ByteReader& in, TextSource& texts) : m_in(in), m_texts(texts) {}

    void Run() {
        for (int op = 0; op < 64 && m_in.Byte() != 0; ++op) {
            switch (m_in.Choice(6)) {
            case 0:
            case 1:
                Find(NextArgs(Indices()));
                break;
            case 2:
                FromIndexText(m_texts.Next(0));
                break;
            case 3:
                FromWellFormedText(NextArgs(Indices()));
                break;
            case 4:
                Copy();
                break;
            default:
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
        return Args(NextArg(typename Kinds::Arg(), static_cast<int>(K))...);
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

    QV_Type* FindIn(Array<Base>& array, const Args& args) {
        return std::apply([&array](auto... x) { return array.Find(x...); }, args);
    }

    void Find(const Args& args) {
        if (GridSize(m_array, true) > kMaxSlots) return;
        QV_Type* element = FindIn(m_array, args);
        const std::string text = Text(args, Indices());
        if (!element) Fault("no element for \"%s\"", text.c_str());
        if (text != element->IndexText())
            Fault("element \"%s\" found for \"%s\"", element->IndexText(), text.c_str());
        FoundAgain(args, element);
    }

    // The element for `args` exists: it comes back, and no block is taken.
    void FoundAgain(const Args& args, const QV_Type* element) {
        const long calls = qvhost::AllocationCalls();
        if (FindIn(m_array, args) != element || qvhost::AllocationCalls() != calls)
            Fault("\"%s\" is not found again as it was", Text(args, Indices()).c_str());
    }

    void FromIndexText(const char* text) {
        if (GridSize(m_array, true) > kMaxSlots) return;
        m_array.CreateMissingArrayElement(text);
        ExpectDenseGrid(m_array);
    }

    // The index text of values that it can hold as they are makes their element.
    void FromWellFormedText(const Args& args) {
        if (!Writable(args, Indices()) || GridSize(m_array, true) > kMaxSlots) return;
        const std::string text = Text(args, Indices()) + ")";
        m_array.CreateMissingArrayElement(text.c_str());
        ExpectDenseGrid(m_array);
        const long calls = qvhost::AllocationCalls();
        QV_Type* element = FindIn(m_array, args);
        if (!element || qvhost::AllocationCalls() != calls)
            Fault("the index text \"%s\" made no element", text.c_str());
    }

    // A copy has the set values and no element; NewElements makes them all.
    void Copy() {
        Array<Base> copy(m_array);
        for (int k = 0; k < m_array.IndexCount(); ++k)
            if (!(copy.IndexValues(k) == m_array.IndexValues(k)))
                Fault("a copy has other index values for index %d", k);
        MakeAll(copy);
    }

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

using RunFunction = void (*)(ByteReader&, TextSource&);

// The host's one-index text array and the 28 containers of the library.
const RunFunction kContainers[] = {
    RunContainer<QV_BASE_S, S>,
    RunContainer<QV_BASE_II, I, I>,
    RunContainer<QV_BASE_III, I, I, I>,
    RunContainer<QV_BASE_IIII, I, I, I, I>,
    RunContainer<QV_BASE_IIIS, I, I, I, S>,
    RunContainer<QV_BASE_IIS, I, I, S>,
    RunContainer<QV_BASE_IISI, I, I, S, I>,
    RunContainer<QV_BASE_IISS, I, I, S, S>,
    RunContainer<QV_BASE_IS, I, S>,
    RunContainer<QV_BASE_ISI, I, S, I>,
    RunContainer<QV_BASE_ISII, I, S, I, I>,
    RunContainer<QV_BASE_ISIS, I, S, I, S>,
    RunContainer<QV_BASE_ISS, I, S, S>,
    RunContainer<QV_BASE_ISSI, I, S, S, I>,
    RunContainer<QV_BASE_ISSS, I, S, S, S>,
    RunContainer<QV_BASE_SI, S, I>,
    RunContainer<QV_BASE_SII, S, I, I>,
    RunContainer<QV_BASE_SIII, S, I, I, I>,
    RunContainer<QV_BASE_SIIS, S, I, I, S>,
    RunContainer<QV_BASE_SIS, S, I, S>,
    RunContainer<QV_BASE_SISI, S, I, S, I>,
    RunContainer<QV_BASE_SISS, S, I, S, S>,
    RunContainer<QV_BASE_SS, S, S>,
    RunContainer<QV_BASE_SSI, S, S, I>,
    RunContainer<QV_BASE_SSII, S, S, I, I>,
    RunContainer<QV_BASE_SSIS, S, S, I, S>,
    RunContainer<QV_BASE_SSS, S, S, S>,
    RunContainer<QV_BASE_SSSI, S, S, S, I>,
    RunContainer<QV_BASE_SSSS, S, S, S, S>,
};
constexpr int kContainerCount = static_cast<int>(sizeof kContainers / sizeof kContainers[0]);

} // namespace

void FuzzContainers(ByteReader& in) {
    TextSource texts(in);
    kContainers[in.Choice(kContainerCount)](in, texts);
}

} // namespace norvane::fuzz
