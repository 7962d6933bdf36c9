# Cross-building the Windows program on Debian with its MinGW-w64 compilers (g++-mingw-w64-x86-64).
# The art generator and the sound maker run on the build machine: they come from a host build whose
# wizlo-host-tools.cmake WIZLO_HOST_TOOLS names (tools/build-windows makes both).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WIZLO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WIZLO_MINGW}-gcc)
set(CMAKE_CXX_COMPILER ${WIZLO_MINGW}-g++)
set(CMAKE_ASM_COMPILER ${WIZLO_MINGW}-gcc)
set(CMAKE_RC_COMPILER ${WIZLO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WIZLO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
