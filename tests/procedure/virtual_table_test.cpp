// The procedure's table of virtual operations, in the order by which the host calls them: the
// automation operations first, then the destructor (two entries: complete and deleting), then
// the procedure's own.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <iterator>

#include "procedures/interpolate.h"

namespace {

// The entry of a virtual operation in the table: under the C++ ABI of both builds a pointer to
// a virtual member function holds 1 + the entry's offset in bytes.
template <class Operation> std::ptrdiff_t Entry(Operation operation) {
    std::ptrdiff_t word;
    static_assert(sizeof operation >= sizeof word);
    std::memcpy(&word, &operation, sizeof word);
    return (word - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(ProcedureVirtualTable, HoldsTheOperationsInTheHostsOrder) {
    using P = QVProc_INTERPOLATE;
    const std::ptrdiff_t entries[] = {
        Entry(&P::QueryInterface),   Entry(&P::AddRef),      Entry(&P::Release),
        Entry(&P::GetTypeInfoCount), Entry(&P::GetTypeInfo), Entry(&P::GetIDsOfNames),
        Entry(&P::Invoke),           Entry(&P::Destroy),     Entry(&P::Name),
        Entry(&P::ProcedureName),    Entry(&P::DLLName),     Entry(&P::ComponentListName),
        Entry(&P::Jacobian),         Entry(&P::Residuals),   Entry(&P::Precall),
        Entry(&P::Postcall),         Entry(&P::OutputVar),   Entry(&P::InitializeCStrings)};
    const int destructorEntries = 2;
    for (int i = 0; i < static_cast<int>(std::size(entries)); ++i)
        EXPECT_EQ(entries[i], i < 7 ? i : i + destructorEntries) << "operation " << i;
}

TEST(ProcedureVirtualTable, AutomationAnswersAsAHostWithoutIt) {
    QVProc_INTERPOLATE procedure(false, 0);
    const _GUID anyInterface{};
    void* object = &procedure;
    EXPECT_LT(procedure.QueryInterface(anyInterface, &object), 0);
    EXPECT_EQ(object, nullptr);
    unsigned int count = 1;
    EXPECT_EQ(procedure.GetTypeInfoCount(&count), 0);
    EXPECT_EQ(count, 0u);
}

} // namespace
