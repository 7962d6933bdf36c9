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

# Everything but the worker itself, and a version that changes with any byte of any of it.
file(GLOB_RECURSE served RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM served service-worker.js)
list(SORT served)
set(listed "\"./\"")
set(contents "")
foreach(name IN LISTS served)
  string(APPEND listed ",\n  \"${name}\"")
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND contents "${name} ${digest}\n")
endforeach()
string(SHA256 version "${contents}")
string(SUBSTRING ${version} 0 16 WIZLO_SITE_VERSION)
set(WIZLO_SITE_FILES "\n  ${listed}\n")
configure_file(${PAGE}/service-worker.js.in ${SITE}/service-worker.js @ONLY)
