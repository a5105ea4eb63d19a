# Winelib: Win32 programs compiled on Linux by Wine's compiler drivers.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER winegcc)
set(CMAKE_CXX_COMPILER wineg++)
set(CMAKE_LIBRARY_ARCHITECTURE x86_64-linux-gnu)
