# The rooms' "may use" rules (each room's README), held by the build. No target sees the source tree's
# root: each room's target offers its own folder, or some files of it, from a folder of its own in the
# build tree, and a target sees only the rooms it links. Including what a room may not use then fails
# to compile. tests/rooms checks that it does.

# wizlo_room(<target> <folder> [FILES <name or pattern>...])
# Offers <folder> (from the source root, e.g. backends/web) to <target> and to whatever links it, so
# that "backends/web/x.hpp" is found; with FILES, only those files of the folder.
function(wizlo_room target folder)
  cmake_parse_arguments(PARSE_ARGV 2 room "" "" "FILES")
  set(root ${PROJECT_BINARY_DIR}/rooms/${target})
  file(REMOVE_RECURSE ${root})  # removes the links, never what they point at
  if(room_FILES)
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(pattern IN LISTS room_FILES)
      file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/${pattern})
      if(NOT files)
        message(FATAL_ERROR "wizlo_room(${target}): no ${folder}/${pattern}")
      endif()
      foreach(file IN LISTS files)
        get_filename_component(name ${file} NAME)
        file(CREATE_LINK ${file} ${root}/${folder}/${name} SYMBOLIC)
      endforeach()
    endforeach()
  else()
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# wizlo_knows_no_window_system(<target>)
# The target's own sources cannot include a window system's headers, not even those that lie on the
# compiler's own paths (X11's, SDL2/SDL.h, MinGW's windows.h): stand-ins that stop the build come first.
function(wizlo_knows_no_window_system target)
  target_include_directories(${target} BEFORE PRIVATE ${PROJECT_SOURCE_DIR}/cmake/no-window-system)
endfunction()
