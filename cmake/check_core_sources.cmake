# Fails when a portable core file includes a Windows header.
# Invoked with -DLIST_FILE=<file naming one core file per line>.
file(STRINGS "${LIST_FILE}" FILES)
foreach(f IN LISTS FILES)
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]([Ww]indows|[Ww]indef|[Ww]inbase|[Ww]inuser|[Cc]ommctrl|[Ss]hell[Aa]pi|[Ww]in[a-z0-9]*)\\.h[>\"]")
  if(lines)
    message(FATAL_ERROR "portable core file includes a Windows header: ${f}: ${lines}")
  endif()
endforeach()
