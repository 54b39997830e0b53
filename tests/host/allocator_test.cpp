// The host's allocator knows the blocks it handed out: MyFree takes back only those, once each,
// and counts every other pointer it is given. Every test of the suite ends with none refused.
#include <gtest/gtest.h>

#include "host/block_registry.h"
#include "host/qv_memory.h"
#include "host/slab_heap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

// Fails the run when any test freed a block the allocator did not hand out.
class NoRefusedFrees : public ::testing::Environment {
public:
    void TearDown() override {
        EXPECT_EQ(qvhost::RefusedFrees(), m_expected) << "MyFree refused a pointer";
    }
    static long m_expected;
};
long NoRefusedFrees::m_expected = 0;
const auto* const g_check = ::testing::AddGlobalTestEnvironment(new NoRefusedFrees);

std::vector<void*> g_freed;
void RecordFree(void* block) {
    g_freed.push_back(block);
}

// Fills a block with a pattern of its own, so that blocks that overlap show.
void Stamp(void* block, std::size_t size, std::uint8_t seed) {
    for (std::size_t k = 0; k < size; ++k)
        static_cast<std::uint8_t*>(block)[k] = static_cast<std::uint8_t>(seed + k);
}
bool StampHolds(const void* block, std::size_t size, std::uint8_t seed) {
    for (std::size_t k = 0; k < size; ++k)
        if (static_cast<const std::uint8_t*>(block)[k] != static_cast<std::uint8_t>(seed + k))
            return false;
    return true;
}

// A heap of the tests' own. It keeps the memory it maps, as the host's does, and lives to the
// end of the program, so that its bookkeeping is never taken for a leak.
qvhost::SlabHeap& TestHeap() {
    static auto* const heap = new qvhost::SlabHeap;
    return *heap;
}

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

TEST(HostAllocator, RefusesStrayPointersAmongManyLiveBlocks) {
    // Live blocks of the same class on either side of the one that strays are freed, so that a
    // refusal cannot come from an empty arena, nor a stray free hit a neighbour.
    const long live = qvhost::LiveBlocks();
    const long refused = qvhost::RefusedFrees();
    std::vector<char*> blocks;
    for (int k = 0; k < 3000; ++k)
        blocks.push_back(static_cast<char*>(MyAllocate(k % 3 == 0 ? 88 : 2000)));
    char* const middle = blocks[1500];
    void* const foreign = std::malloc(88);
    const long before = qvhost::LiveBlocks();

    MyFree(middle + 4);        // the array cookie's 4 bytes off
    MyFree(middle + 8);        // inside, on the heap's granule
    MyFree(middle + 80);       // inside, on the block's last granule
    MyFree(foreign);           // another heap's
    MyFree(blocks[1501] + 16); // inside a large block
    EXPECT_EQ(qvhost::RefusedFrees(), refused + 5);
    EXPECT_EQ(qvhost::LiveBlocks(), before);
    MyFree(middle);
    MyFree(middle); // freed twice
    MyFree(blocks[1501]);
    MyFree(blocks[1501]);
    EXPECT_EQ(qvhost::RefusedFrees(), refused + 7);
    NoRefusedFrees::m_expected += 7;

    for (char* block : blocks)
        if (block != middle && block != blocks[1501]) MyFree(block);
    std::free(foreign);
    EXPECT_EQ(qvhost::LiveBlocks(), live);
    EXPECT_EQ(qvhost::RefusedFrees(), refused + 7) << "no neighbour was lost to a stray free";
}

TEST(HostAllocator, EveryBlockOfALargeRunComesBackOnce) {
    // Sizes of every class and beyond the small heap, freed in a random order while others are
    // still being made: each block keeps its pattern to the end, is aligned as a block of its
    // size must be, and comes back exactly once.
    std::mt19937 random(7);
    const long live = qvhost::LiveBlocks();
    const long refused = qvhost::RefusedFrees();
    struct Block {
        void* at;
        unsigned size;
        std::uint8_t seed;
    };
    std::vector<Block> held;
    for (int round = 0; round < 4; ++round) {
        for (int k = 0; k < 40000; ++k) {
            const unsigned size = random() % 8 == 0 ? random() % 4096 : random() % 1025;
            const Block block{MyAllocate(size), size, static_cast<std::uint8_t>(random())};
            ASSERT_NE(block.at, nullptr);
            const auto address = reinterpret_cast<std::uintptr_t>(block.at);
            ASSERT_EQ(address % 8, 0u) << size;
            if (size > 0 && size % 16 == 0 && sizeof(void*) == 8) {
                ASSERT_EQ(address % 16, 0u) << size;
            }
            Stamp(block.at, size, block.seed);
            held.push_back(block);
        }
        std::shuffle(held.begin(), held.end(), random);
        const std::size_t keep = round == 3 ? 0 : held.size() / 3;
        std::vector<void*> freeing;
        for (std::size_t k = keep; k < held.size(); ++k) {
            ASSERT_TRUE(StampHolds(held[k].at, held[k].size, held[k].seed)) << held[k].size;
            freeing.push_back(held[k].at);
        }
        g_freed.clear();
        g_freed.reserve(freeing.size());
        qvhost::ObserveFrees(&RecordFree);
        for (void* block : freeing)
            MyFree(block);
        qvhost::ObserveFrees(nullptr);
        std::sort(freeing.begin(), freeing.end());
        std::sort(g_freed.begin(), g_freed.end());
        EXPECT_EQ(g_freed, freeing) << "round " << round;
        held.resize(keep);
    }
    EXPECT_EQ(qvhost::LiveBlocks(), live);
    EXPECT_EQ(qvhost::RefusedFrees(), refused);
}

TEST(SmallBlockHeap, TellsEveryBlockStartFromEveryOtherAddress) {
    // For each class, every address inside a block and past the blocks handed out is refused,
    // and every block start is found: the slot a pointer lies in is worked out by a
    // multiplication, which must be exact at the far end of an arena too.
    qvhost::SlabHeap& heap = TestHeap();
    for (std::size_t size = 0; size <= qvhost::SlabHeap::MaxBytes; size += size < 64 ? 1 : 40) {
        std::vector<char*> blocks;
        for (int k = 0; k < 900; ++k)
            blocks.push_back(static_cast<char*>(heap.Allocate(size)));
        for (char* block : blocks) {
            ASSERT_EQ(heap.Find(block).kind, qvhost::SlabHeap::Lookup::Live) << size;
            for (std::size_t k = 1; k < std::max<std::size_t>(size, 8); ++k)
                ASSERT_EQ(heap.Find(block + k).kind, qvhost::SlabHeap::Lookup::NotLive) << size;
        }
        int local = 0;
        EXPECT_EQ(heap.Find(&local).kind, qvhost::SlabHeap::Lookup::Elsewhere);
        for (char* block : blocks)
            heap.Release(block, heap.Find(block));
        EXPECT_EQ(heap.LiveBlocks(), 0u);
        EXPECT_EQ(heap.Find(blocks.front()).kind, qvhost::SlabHeap::Lookup::NotLive);
    }
}

TEST(SmallBlockHeap, ReusesEmptiedArenasForAnyClass) {
    // Blocks of one size all freed, then as many bytes of another: no new memory is mapped. A
    // block that comes and goes over and over maps nothing either.
    qvhost::SlabHeap& heap = TestHeap();
    std::vector<void*> blocks;
    for (int k = 0; k < 20000; ++k)
        blocks.push_back(heap.Allocate(88));
    const std::size_t mapped = heap.MappedBytes();
    for (void* block : blocks)
        heap.Release(block, heap.Find(block));
    blocks.clear();
    for (int k = 0; k < 20000 * 88 / 200 - 800; ++k)
        blocks.push_back(heap.Allocate(200));
    for (int k = 0; k < 100000; ++k) {
        void* block = heap.Allocate(24);
        heap.Release(block, heap.Find(block));
    }
    EXPECT_EQ(heap.MappedBytes(), mapped);
}

#if defined(__linux__)
// The resident memory of the process, in bytes.
long ResidentBytes() {
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return -1;
    const bool read = std::fscanf(statm, "%ld %ld", &pages, &resident) == 2;
    std::fclose(statm);
    return read ? resident * 4096 : -1;
}

TEST(SmallBlockHeap, TrimGivesEmptyArenasBackAndTheyServeAgain) {
    // 8 MB of blocks, all freed: the heap keeps them resident until trimmed, then has given
    // back all but a page an arena, and serves the same blocks again from the same arenas.
    qvhost::SlabHeap& heap = TestHeap();
    std::vector<void*> blocks;
    for (int k = 0; k < 8 * 1024 * 1024 / 512; ++k) {
        blocks.push_back(heap.Allocate(512));
        Stamp(blocks.back(), 512, 1);
    }
    for (void* block : blocks)
        heap.Release(block, heap.Find(block));
    const std::size_t mapped = heap.MappedBytes();
    const long kept = ResidentBytes();
    heap.Trim();
    EXPECT_LT(ResidentBytes(), kept - 7 * 1024 * 1024);
    for (void*& block : blocks) {
        block = heap.Allocate(512);
        Stamp(block, 512, 2);
    }
    for (void* block : blocks) {
        ASSERT_TRUE(StampHolds(block, 512, 2));
        ASSERT_EQ(heap.Find(block).kind, qvhost::SlabHeap::Lookup::Live);
        heap.Release(block, heap.Find(block));
    }
    EXPECT_EQ(heap.MappedBytes(), mapped);
}
#endif

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
