// Closes a run of system library headers opened by UnixHeadersBegin.h. Deliberately without an
// include guard: every run includes it.
#pragma pop_macro("WIN32")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("_WIN32")
