# The Windows programs, cross-built with MinGW-w64 beside the native build, and their tests:
# the 32-bit release program is checked but cannot run here; the 64-bit one runs every
# end-to-end test under Wine.
include(ExternalProject)

find_program(WINE64_LOADER wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
find_program(WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
find_program(MINGW_I686_OBJDUMP i686-w64-mingw32-objdump REQUIRED)
find_program(MINGW_X86_64_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)

foreach(arch IN ITEMS i686 x86_64)
    ExternalProject_Add(windows_${arch}
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${CMAKE_BINARY_DIR}/windows-${arch}
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-${arch}.cmake
            -DCMAKE_BUILD_TYPE=Release
            -DTRAVENNIK_BUILD_TESTS=OFF
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON)
endforeach()

set(check_script ${PROJECT_SOURCE_DIR}/cmake/check_windows_program.cmake)
add_test(NAME windows_x86_program COMMAND ${CMAKE_COMMAND}
    -DPROGRAM=${CMAKE_BINARY_DIR}/windows-i686/Travennik.exe
    -DOBJDUMP=${MINGW_I686_OBJDUMP} -DFORMAT=pei-i386 -P ${check_script})
add_test(NAME windows_x64_program COMMAND ${CMAKE_COMMAND}
    -DPROGRAM=${CMAKE_BINARY_DIR}/windows-x86_64/Travennik.exe
    -DOBJDUMP=${MINGW_X86_64_OBJDUMP} -DFORMAT=pei-x86-64 -P ${check_script})

set(wine_environment
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
    "WINEDEBUG=-all"
    "WINEDLLOVERRIDES=mscoree,mshtml=")
# The prefix is made once, and one wineserver is kept running for all the tests: a wineserver
# started by a program under a file size limit would inherit the limit and fail.
add_test(NAME wine_prefix COMMAND sh -c
    "'${WINE64_LOADER}' wineboot --init && '${WINESERVER}' --wait && '${WINESERVER}' --persistent </dev/null >/dev/null 2>&1")
set_tests_properties(wine_prefix PROPERTIES
    FIXTURES_SETUP wine_prefix ENVIRONMENT "${wine_environment}" TIMEOUT 600)
add_test(NAME wine_server_stop COMMAND sh -c "'${WINESERVER}' --kill || true")
set_tests_properties(wine_server_stop PROPERTIES
    FIXTURES_CLEANUP wine_prefix ENVIRONMENT "${wine_environment}")
add_test(NAME e2e_wine COMMAND e2e_tests)
set_tests_properties(e2e_wine PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    TIMEOUT 1800
    ENVIRONMENT "${wine_environment};TRAVENNIK_PROGRAM=${CMAKE_BINARY_DIR}/windows-x86_64/Travennik.exe;TRAVENNIK_LAUNCHER=${WINE64_LOADER};TRAVENNIK_TARGET=windows")
