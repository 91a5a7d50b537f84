# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads).
# Not the product (Stats.dll is a 32-bit DLL for a 32-bit host): this build
# runs the Windows tests under 64-bit Wine on machines whose kernel cannot
# run 32-bit programs, where 32-bit Wine cannot start (see scripts/test-all).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# Test programs run under 64-bit Wine (see scripts/wine-run).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run --wine64)
