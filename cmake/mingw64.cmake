# The same program as a 64-bit Windows build: run by Wine's 64-bit loader
# where the machine cannot run 32-bit programs, and it keeps the code right
# at both widths.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUORVEL_WINDOWS_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
