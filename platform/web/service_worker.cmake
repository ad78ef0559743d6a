# Writes the site's service worker: the list of every file it keeps, and the
# name of its cache from the version and a hash of the files' contents.
#   cmake -DSITE=folder -DVERSION=x.y.z -DTEMPLATE=sw.js.in -P service_worker.cmake
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(hashes "")
set(FILE_LIST "'./'")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes "${file} ${hash}\n")
  string(APPEND FILE_LIST ", '${file}'")
endforeach()
string(SHA256 contents "${hashes}")
string(SUBSTRING ${contents} 0 16 contents)
set(CACHE_NAME orvanel-${VERSION}-${contents})
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
