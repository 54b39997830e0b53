// The host's allocator knows the blocks it handed out: MyFree takes back only those, once each,
// and counts every other pointer it is given. Every test of the suite ends with none refused.
#include <gtest/gtest.h>

#include "host/block_registry.h"
#include "host/qv_memory.h"

#include <vector>

namespace {

// Fails the run when any test freed a block the allocator did not hand out.
class NoRefusedFrees : public ::testing::Environment {
public:
    void TearDown() override { EXPECT_EQ(qvhost::RefusedFrees(), m_expected) << "MyFree refused a pointer"; }
    static long m_expected;
};
long NoRefusedFrees::m_expected = 0;
const auto* const g_check = ::testing::AddGlobalTestEnvironment(new NoRefusedFrees);

} // namespace

TEST(HostAllocator, FreesOnlyLiveBlocksOfItsOwn) {
    const long live = qvhost::LiveBlocks();
    const long refused = qvhost::RefusedFrees();
    auto* block = static_cast<char*>(MyAllocate(16));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(qvhost::LiveBlocks(), live + 1);

    MyFree(block + 4); // inside the block
    int local = 0;
    MyFree(&local); // not the allocator's
    EXPECT_EQ(qvhost::RefusedFrees(), refused + 2);
    EXPECT_EQ(qvhost::LiveBlocks(), live + 1);

    MyFree(block);
    EXPECT_EQ(qvhost::LiveBlocks(), live);
    MyFree(block); // already returned
    MyFree(nullptr);
    EXPECT_EQ(qvhost::RefusedFrees(), refused + 3);
    NoRefusedFrees::m_expected += 3;
}

TEST(HostAllocator, RegistryKeepsEveryBlockThroughGrowthAndRemoval) {
    // Enough entries to grow the table several times and to make long probe runs, removed in an
    // order that shifts entries back across them.
    qvhost::BlockRegistry registry;
    std::vector<char> storage(40000);
    for (std::size_t k = 0; k < storage.size(); k += 8)
        ASSERT_TRUE(registry.Add(&storage[k]));
    EXPECT_EQ(registry.Count(), storage.size() / 8);
    for (std::size_t k = 0; k < storage.size(); k += 16)
        ASSERT_TRUE(registry.Remove(&storage[k]));
    for (std::size_t k = 0; k < storage.size(); k += 8) {
        bool removedBefore = k % 16 == 0;
        EXPECT_EQ(registry.Remove(&storage[k]), !removedBefore) << k;
    }
    EXPECT_EQ(registry.Count(), 0u);
    EXPECT_FALSE(registry.Remove(storage.data()));
}
