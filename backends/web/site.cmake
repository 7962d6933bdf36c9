# Gathers the folder a web server serves: the page, the program, its pictures and sounds, and a
# service worker that keeps them all. Run by the build: cmake -DSITE=... -DPAGE=... -DSCRIPTS=...
# -DART=... -P site.cmake, SCRIPTS being the other rooms' page scripts (a|b), ART the generator's folder.
string(REPLACE "|" ";" SCRIPTS "${SCRIPTS}")

# The page's scripts and style go to every pupil, on servers that may not compress them: they travel
# without the comments and indentation written for their developers. Only whole-line comments and
# those after the end of a statement go (no script carries text over lines, so none is inside a string).
function(ship name text)
  if(name MATCHES "\\.css$")
    string(REGEX REPLACE "/\\*[^*]*\\*+([^/*][^*]*\\*+)*/" "" text "${text}")
  elseif(name MATCHES "\\.js$")
    string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" text "\n${text}")
    string(REGEX REPLACE "([;{}(),])[ \t]+// [^\n]*" "\\1" text "${text}")
  elseif(name MATCHES "\\.html$")
    string(REGEX REPLACE "<!--([^-]|-[^-])*-->\n?" "" text "${text}")
  endif()
  string(REGEX REPLACE "\n[ \t]+" "\n" text "\n${text}")
  string(REGEX REPLACE "\n\n+" "\n" text "${text}")
  string(REGEX REPLACE "^\n" "" text "${text}")
  file(WRITE ${SITE}/${name} "${text}")
endfunction()

file(GLOB page_files ${PAGE}/*.js ${PAGE}/*.css ${PAGE}/*.webmanifest)
foreach(file IN LISTS page_files SCRIPTS)
  get_filename_component(name ${file} NAME)
  file(READ ${file} text)
  ship(${name} "${text}")
endforeach()
file(READ ${ART}/first_frame.json WIZLO_FIRST_FRAME)
string(STRIP "${WIZLO_FIRST_FRAME}" WIZLO_FIRST_FRAME)
file(READ ${PAGE}/index.html.in page_text)
string(CONFIGURE "${page_text}" text @ONLY)
ship(index.html "${text}")
# Of the program's icon, the sizes the page and its manifest name: a browser asks for no other.
file(READ ${PAGE}/manifest.webmanifest manifest_text)
file(GLOB pictures ${ART}/images/*)
foreach(picture IN LISTS pictures)
  get_filename_component(name ${picture} NAME)
  if(name MATCHES "^AppIcon-" AND NOT page_text MATCHES "pictures/${name}" AND NOT manifest_text MATCHES "pictures/${name}")
    list(REMOVE_ITEM pictures ${picture})
    file(REMOVE ${SITE}/pictures/${name})
  endif()
endforeach()
file(COPY ${pictures} DESTINATION ${SITE}/pictures)

# Everything but the worker itself, each with its digest, and a version that changes with any byte
# of any of it.
file(GLOB_RECURSE served RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM served service-worker.js)
# The authoring page and its maker are kept for offline use only where a teacher opens them (maker/).
list(FILTER served EXCLUDE REGEX "^maker/")
list(SORT served)
file(SHA256 ${SITE}/index.html digest)
set(listed "\"./\": \"${digest}\"")
set(contents "")
foreach(name IN LISTS served)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND listed ",\n  \"${name}\": \"${digest}\"")
  string(APPEND contents "${name} ${digest}\n")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 WIZLO_SITE_VERSION)
set(WIZLO_SITE_FILES "\n  ${listed}\n")

# Only a teacher's board needs these: kept once a board is opened, not on a pupil's first visit.
set(WIZLO_SITE_ON_USE "\"wizlo-lesson.js\", \"wizlo-lesson.wasm\", \"shared-board.js\", \"teacher-board.js\"")
# The pictures whose image is chosen by the screen's scale, as the generator wrote them: a device
# keeps those it draws at.
file(READ ${ART}/scaled.json WIZLO_SITE_SCALED)
string(STRIP "${WIZLO_SITE_SCALED}" WIZLO_SITE_SCALED)
file(READ ${PAGE}/service-worker.js.in text)
string(CONFIGURE "${text}" text @ONLY)
ship(service-worker.js "${text}")

# The authoring page's own list, which it keeps for offline use once a teacher opens it: every file
# of maker/ and a version of its own.
if(EXISTS ${SITE}/maker/index.html)
  file(GLOB_RECURSE maker_files RELATIVE ${SITE}/maker ${SITE}/maker/*)
  list(REMOVE_ITEM maker_files offline.json)
  list(SORT maker_files)
  set(listed "\"./\"")
  set(contents "")
  foreach(name IN LISTS maker_files)
    string(APPEND listed ", \"${name}\"")
    file(SHA256 ${SITE}/maker/${name} digest)
    string(APPEND contents "${name} ${digest}\n")
  endforeach()
  string(SHA256 version "${contents}")
  string(SUBSTRING ${version} 0 16 version)
  file(WRITE ${SITE}/maker/offline.json "{\"version\": \"${version}\", \"files\": [${listed}]}\n")
endif()
