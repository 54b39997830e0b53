// The members of std::string and the concatenation of a text and a string that the C++ library's
// headers declare as instantiated in its compiled part (extern templates), instantiated here from
// the headers' own list.
#include <string>

_LIBCPP_BEGIN_NAMESPACE_STD

#define NORVANE_INSTANTIATE(...) template __VA_ARGS__;
#ifdef _LIBCPP_ABI_STRING_OPTIMIZED_EXTERNAL_INSTANTIATION
_LIBCPP_STRING_UNSTABLE_EXTERN_TEMPLATE_LIST(NORVANE_INSTANTIATE, char)
#else
_LIBCPP_STRING_V1_EXTERN_TEMPLATE_LIST(NORVANE_INSTANTIATE, char)
#endif
#undef NORVANE_INSTANTIATE
template string operator+<char, char_traits<char>, allocator<char>>(const char*, const string&);

_LIBCPP_END_NAMESPACE_STD
