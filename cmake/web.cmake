# The settings of the browser program, built with Debian's emscripten (tools/build-web): the same
# rooms as on Linux, with the web backend and services (backends/web, platform/web) and the page that
# hosts them. Its pictures and sounds are made by the tools of a host build, which WIZLO_HOST_TOOLS
# names, as for Windows.
if(NOT WIZLO_HOST_TOOLS)
  message(FATAL_ERROR "Set WIZLO_HOST_TOOLS to a host build's wizlo-host-tools.cmake (tools/build-web does)")
endif()
include(${WIZLO_HOST_TOOLS})

# C++ exceptions caught where they are thrown (a handler's error reaches the runtime's report).
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
# Optimised across the rooms as one program: the program is fetched before the menu's first frame,
# and this takes a twentieth off it, at no cost in build time.
add_compile_options(-flto)
add_link_options(-flto)

# The folder a school puts on its web server: the page, the program, its pictures and sounds.
set(WIZLO_WEB_DIR ${PROJECT_BINARY_DIR}/site CACHE PATH "Where the browser program's files are gathered")
set(WIZLO_PROGRAM_DIR ${WIZLO_WEB_DIR})
