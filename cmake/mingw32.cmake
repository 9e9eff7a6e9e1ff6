# The 32-bit Windows program: the one users get.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORVEL_WINDOWS_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
