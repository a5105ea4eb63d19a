// Opens a run of system library headers that must be read as on Linux. The Debian libraries here are
// built for Unix, but their headers switch to the Windows calling convention, DLL imports or Windows
// file handles when they see the Windows macros that winegcc defines. UnixHeadersEnd.h closes the
// run and brings the macros back. Deliberately without an include guard: every run includes it.
#pragma push_macro("_WIN32")
#pragma push_macro("__WIN32__")
#pragma push_macro("WIN32")
#undef _WIN32
#undef __WIN32__
#undef WIN32
