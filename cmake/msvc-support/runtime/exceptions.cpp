// The members of the C++ library's exception classes that its compiled part holds: the
// destructors, the messages, and the counted text that a logic_error or runtime_error and
// their copies share. The text's block comes from the module's own operator new (in the
// model-type library: the host's allocator); when none is given the message is empty.
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

// A shared text: its count of holders, then its characters.
struct TextBlock {
    unsigned holders;
    char text[1];
};

const char NoText[] = "";

TextBlock* BlockOf(const char* text) {
    return reinterpret_cast<TextBlock*>(const_cast<char*>(text) - offsetof(TextBlock, text));
}

} // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

__libcpp_refstring::__libcpp_refstring(const char* message) : __imp_(NoText) {
    const std::size_t length = std::strlen(message);
    void* memory = ::operator new(offsetof(TextBlock, text) + length + 1, std::nothrow);
    if (!memory) return;
    TextBlock* block = static_cast<TextBlock*>(memory);
    block->holders = 1;
    std::memcpy(block->text, message, length + 1);
    __imp_ = block->text;
}

__libcpp_refstring::__libcpp_refstring(const __libcpp_refstring& other) noexcept
    : __imp_(other.__imp_) {
    if (__uses_refcount()) ++BlockOf(__imp_)->holders;
}

__libcpp_refstring& __libcpp_refstring::operator=(const __libcpp_refstring& other) noexcept {
    if (other.__uses_refcount()) ++BlockOf(other.__imp_)->holders;
    if (__uses_refcount() && --BlockOf(__imp_)->holders == 0) ::operator delete(BlockOf(__imp_));
    __imp_ = other.__imp_;
    return *this;
}

__libcpp_refstring::~__libcpp_refstring() {
    if (__uses_refcount() && --BlockOf(__imp_)->holders == 0) ::operator delete(BlockOf(__imp_));
}

bool __libcpp_refstring::__uses_refcount() const {
    return __imp_ != NoText;
}

_LIBCPP_END_NAMESPACE_STD

namespace std {

exception::~exception() noexcept {}
const char* exception::what() const noexcept {
    return "std::exception";
}

bad_alloc::bad_alloc() noexcept {}
bad_alloc::~bad_alloc() noexcept {}
const char* bad_alloc::what() const noexcept {
    return "std::bad_alloc";
}

bad_array_new_length::bad_array_new_length() noexcept {}
bad_array_new_length::~bad_array_new_length() noexcept {}
const char* bad_array_new_length::what() const noexcept {
    return "bad_array_new_length";
}

// logic_error and runtime_error hold the counted text, which their copies share.
#define NORVANE_ERROR_WITH_TEXT(Error)                                                             \
    Error::Error(const char* message) : __imp_(message) {}                                         \
    Error::Error(const Error& other) noexcept : exception(other), __imp_(other.__imp_) {}          \
    Error& Error::operator=(const Error& other) noexcept {                                         \
        __imp_ = other.__imp_;                                                                     \
        return *this;                                                                              \
    }                                                                                              \
    Error::~Error() noexcept {}                                                                    \
    const char* Error::what() const noexcept {                                                     \
        return __imp_.c_str();                                                                     \
    }

NORVANE_ERROR_WITH_TEXT(logic_error)
length_error::~length_error() noexcept {}
out_of_range::~out_of_range() noexcept {}

NORVANE_ERROR_WITH_TEXT(runtime_error)
overflow_error::~overflow_error() noexcept {}

} // namespace std
