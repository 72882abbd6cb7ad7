# Cross-build for 32-bit Windows (PE32, Intel 80386) with MinGW-w64.
set(MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
# SSE2 is on every processor that runs this program; the token reader uses it.
set(CMAKE_CXX_FLAGS_INIT "-msse2")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
