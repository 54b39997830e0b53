// The new handler of the module (each module of this build carries its own, as each carries its
// own copy of the C++ library) and the nothrow tag.
#include <new>

namespace {
std::new_handler installed = nullptr;
}

namespace std {

const nothrow_t nothrow{};

new_handler set_new_handler(new_handler handler) noexcept {
    const new_handler previous = installed;
    installed = handler;
    return previous;
}

new_handler get_new_handler() noexcept {
    return installed;
}

} // namespace std
