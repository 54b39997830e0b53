// A growable array of plain values for the host's large stores. clear() keeps the memory for
// the next pass. A large array (64 KB or more) lives in pages of its own and, on Linux, grows
// by remapping them rather than by copying: a store that grows never holds its old and its
// new copy at once, and capacity that is never written is never made resident.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>

namespace qvhost {

// The blocks of PodArray. GrowBlock returns the block of `bytes` that holds the first `used`
// bytes of `block` (of `capacity` bytes; null for none), or null when memory runs out (the
// old block is then left as it was).
void* GrowBlock(void* block, std::size_t capacity, std::size_t used, std::size_t bytes);
void FreeBlock(void* block, std::size_t capacity);

template <class T> class PodArray {
    static_assert(std::is_trivially_copyable_v<T>, "PodArray moves its values as bytes");

public:
    PodArray() = default;
    PodArray(const PodArray&) = delete;
    PodArray& operator=(const PodArray&) = delete;
    ~PodArray() { FreeBlock(m_data, m_capacity * sizeof(T)); }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T& operator[](std::size_t k) { return m_data[k]; }
    const T& operator[](std::size_t k) const { return m_data[k]; }
    T& back() { return m_data[m_size - 1]; }

    // By value: the value may be an element of this array, which growing moves.
    void push_back(T value) {
        if (m_size == m_capacity) grow(m_size + 1);
        m_data[m_size++] = value;
    }
    void pop_back() { --m_size; }
    void resize(std::size_t size, T fill) {
        if (size > m_capacity) grow(size);
        for (std::size_t k = m_size; k < size; ++k)
            m_data[k] = fill;
        m_size = size;
    }
    void clear() { m_size = 0; }

private:
    // When memory runs out, calls the new handler and tries again, as operator new does, and
    // throws std::bad_alloc when there is none. Kept out of line: an append that fits, which
    // the hot loops of the stores do millions of times, stays a few instructions.
    [[gnu::noinline]] void grow(std::size_t least) {
        std::size_t capacity = m_capacity < 16 ? 16 : m_capacity * 2;
        if (capacity < least) capacity = least;
        if (capacity > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        for (;;) {
            void* block =
                GrowBlock(m_data, m_capacity * sizeof(T), m_size * sizeof(T), capacity * sizeof(T));
            if (block) {
                m_data = static_cast<T*>(block);
                m_capacity = capacity;
                return;
            }
            const std::new_handler handler = std::get_new_handler();
            if (!handler) throw std::bad_alloc();
            handler();
        }
    }

    T* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace qvhost
