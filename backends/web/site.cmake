# Gathers the folder a web server serves: the page, the program, its pictures and sounds, and a
# service worker that keeps them all. Run by the build: cmake -DSITE=... -DPAGE=... -DSCRIPTS=...
# -DART=... -P site.cmake, SCRIPTS being the other rooms' page scripts (a|b), ART the generator's folder.
string(REPLACE "|" ";" SCRIPTS "${SCRIPTS}")
file(GLOB page_files ${PAGE}/*.js ${PAGE}/*.css ${PAGE}/*.webmanifest)
file(COPY ${page_files} ${SCRIPTS} DESTINATION ${SITE})
file(READ ${ART}/first_frame.json WIZLO_FIRST_FRAME)
string(STRIP "${WIZLO_FIRST_FRAME}" WIZLO_FIRST_FRAME)
configure_file(${PAGE}/index.html.in ${SITE}/index.html @ONLY)
file(GLOB pictures ${ART}/images/*)
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
configure_file(${PAGE}/service-worker.js.in ${SITE}/service-worker.js @ONLY)

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
