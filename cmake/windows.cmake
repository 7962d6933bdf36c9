# The settings of the Windows program, cross-built with MinGW-w64 (cmake/mingw-w64-x86_64.cmake): the
# same rooms as on Linux, with the Win32 backend and services, the program file's resources and the
# installer (packaging/windows). Its pictures, sounds and icon file are made by tools of a host build,
# which WIZLO_HOST_TOOLS names; tools/build-windows makes that build first.
if(NOT WIZLO_HOST_TOOLS)
  message(FATAL_ERROR "Set WIZLO_HOST_TOOLS to a host build's wizlo-host-tools.cmake (tools/build-windows does)")
endif()
include(${WIZLO_HOST_TOOLS})

# Nothing but system DLLs beside the program: the C++ runtime, libgcc and winpthreads are linked in.
# No debugging information and no unused code in a program file a school copies around; the pictures
# are most of it.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -s -Wl,--gc-sections)

# Wizlo.exe, yes.wav and no.wav at the top of the build tree, as they are installed.
set(WIZLO_PROGRAM_DIR ${PROJECT_BINARY_DIR})

# Every Windows call with text takes UTF-16: the program's UTF-8 text is converted on the way.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
enable_language(RC)
