// The hash of a block of memory that the C++ library's hashes of strings and scalars call, which
// its compiled part holds: the header's own hash of the bytes.
#include <functional>

_LIBCPP_BEGIN_NAMESPACE_STD

size_t __hash_memory(_LIBCPP_NOESCAPE const void* block, size_t size) noexcept {
    return __murmur2_or_cityhash<size_t>()(block, size);
}

_LIBCPP_END_NAMESPACE_STD
