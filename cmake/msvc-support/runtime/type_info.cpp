// The table of virtual operations of the runtime's type_info, which every type descriptor that
// the compiler emits (for run-time type information and exceptions) points at, and which the
// platform's static runtime part would define. Its one entry is the deleting destructor; the
// descriptors are static data that nothing destroys, so it frees nothing.
namespace {
void* __thiscall KeepTypeInfo(void* self, unsigned) {
    return self;
}
} // namespace

extern "C" const void* const TypeInfoTable[] __asm__("??_7type_info@@6B@") = {
    reinterpret_cast<const void*>(&KeepTypeInfo)};
