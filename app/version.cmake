# The program file's version record, in its one place: the numbers come from the CMake project version,
# the strings are set here. Linux embeds it through version.hpp.in and version.cpp, Windows as the
# VERSIONINFO resource of packaging/windows/wizlo.rc.in.
string(REGEX REPLACE "^([0-9]+)\\.([0-9])$" "\\1.0\\2" WIZLO_SHORT_VERSION
       "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")  # "1.00"
string(REPLACE "." "," WIZLO_VERSION_COMMAS "${PROJECT_VERSION}")  # 1,0,0,0 as a resource script has it
set(WIZLO_COMPANY_NAME "Example School Software")
set(WIZLO_PRODUCT_NAME "Wizlo")  # the menu's caption
set(WIZLO_INTERNAL_NAME "Wizlo")
if(WIN32)
  set(WIZLO_ORIGINAL_FILENAME "Wizlo.exe")  # the program file
else()
  set(WIZLO_ORIGINAL_FILENAME "wizlo")
endif()
