# Checks the shape of the source tree; any breach fails the build.
# Invoked with -DSRC_DIR=<src folder> -DLIST_FILE=<file naming one core file per line>.
#
# 1. A portable core file (every source whose name does not end in _win32)
#    includes no Windows header.
# 2. Includes between folders go one way only, downwards:
#       base  <  listing  <  fileops, windows, launch, pager, archive, setup  <  app, archivers
#    A folder includes from its own folder and from folders below it, never
#    from one beside or above it. resources (ids shared with the resource
#    script) stands beside them all and includes nothing of theirs.
file(STRINGS "${LIST_FILE}" FILES)
foreach(f IN LISTS FILES)
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]([Ww]indows|[Ww]indef|[Ww]inbase|[Ww]inuser|[Cc]ommctrl|[Ss]hell[Aa]pi|[Ww]in[a-z0-9]*)\\.h[>\"]")
  if(lines)
    message(FATAL_ERROR "portable core file includes a Windows header: ${f}: ${lines}")
  endif()
endforeach()

set(QRN_LEVEL_base 0)
set(QRN_LEVEL_listing 1)
foreach(d fileops windows launch pager archive setup)
  set(QRN_LEVEL_${d} 2)
endforeach()
set(QRN_LEVEL_app 3)
set(QRN_LEVEL_archivers 3)  # the program's own archiver libraries, beside app

file(GLOB_RECURSE ALL_FILES "${SRC_DIR}/*.h" "${SRC_DIR}/*.cpp" "${SRC_DIR}/*.rc")
foreach(f IN LISTS ALL_FILES)
  file(RELATIVE_PATH rel "${SRC_DIR}" "${f}")
  string(REGEX MATCH "^[^/]+" from "${rel}")
  if(from STREQUAL rel)
    message(FATAL_ERROR "source outside the subsystem folders: ${rel}")
  endif()
  if(NOT from STREQUAL "resources" AND NOT DEFINED QRN_LEVEL_${from})
    message(FATAL_ERROR "folder ${from} has no place in the include order (${rel})")
  endif()
  file(STRINGS "${f}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*$" "\\1" to "${line}")
    if(to STREQUAL from)
      continue()
    endif()
    if(to STREQUAL "resources" AND NOT from STREQUAL "resources")
      continue()
    endif()
    if(from STREQUAL "resources" OR NOT DEFINED QRN_LEVEL_${to}
       OR NOT QRN_LEVEL_${to} LESS QRN_LEVEL_${from})
      message(FATAL_ERROR "include against the one-way order: ${rel} includes \"${to}/...\"")
    endif()
  endforeach()
endforeach()
