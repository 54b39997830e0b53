// The marker that every object using floating point refers to, and that the platform's static
// runtime part defines.
extern "C" int _fltused = 0;
