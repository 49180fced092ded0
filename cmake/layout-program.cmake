# Lays out a program folder from data/ without ever deleting or replacing what the user keeps there.
#   cmake -DDATA_DIR=<data> -DPROGRAM_DIR=<program folder> [-DEARLIER_SHIPPED=<list>] -P layout-program.cmake
# - A shipped file that is missing is copied.
# - A shipped file that is there is brought up to date only while it still holds what the program
#   put there: what an earlier layout recorded in .layout, or any version shipped before (the list
#   EARLIER_SHIPPED, by default earlier-shipped.txt beside this script, covers folders laid out
#   before the record was kept). A template the user changed, or installed under a shipped name,
#   stays as it is.
# - The files at the top (the settings file) are copied only when missing.
# - Nothing is ever deleted; projects, published folders and the working folder are not touched.
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED EARLIER_SHIPPED)
  set(EARLIER_SHIPPED ${CMAKE_CURRENT_LIST_DIR}/earlier-shipped.txt)
endif()
file(STRINGS ${EARLIER_SHIPPED} earlier REGEX "^[0-9a-f]+ ")
set(manifest ${PROGRAM_DIR}/.layout)
set(laid "")
if(EXISTS ${manifest})
  file(STRINGS ${manifest} laid)
endif()

# Kept once in data/ and shipped in more places: each further place, and the file it copies.
set(placed_at Templates/Vertical/HTML/AC_RunActiveContent.js)
set(placed_from Templates/Horizontal/HTML/AC_RunActiveContent.js)

file(MAKE_DIRECTORY ${PROGRAM_DIR})
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${DATA_DIR} ${DATA_DIR}/*)
foreach(entry source IN ZIP_LISTS placed_at placed_from)
  if(EXISTS ${DATA_DIR}/${entry})
    message(FATAL_ERROR "${DATA_DIR}/${entry} is a second copy of ${source}: keep the one only")
  endif()
  if(EXISTS ${DATA_DIR}/${source})
    list(APPEND entries ${entry})
  endif()
endforeach()
list(SORT entries)
set(record "")
foreach(entry ${entries})
  set(from ${DATA_DIR}/${entry})
  list(FIND placed_at ${entry} at)
  if(at GREATER_EQUAL 0)
    list(GET placed_from ${at} source)
    set(from ${DATA_DIR}/${source})
  endif()
  set(to ${PROGRAM_DIR}/${entry})
  if(IS_DIRECTORY ${from})
    file(MAKE_DIRECTORY ${to})
    continue()
  endif()
  file(SHA1 ${from} shipped)
  if(NOT EXISTS ${to} AND NOT IS_SYMLINK ${to})
    file(COPY_FILE ${from} ${to})
    list(APPEND record "${shipped} ${entry}")
    continue()
  endif()
  if(IS_DIRECTORY ${to} OR IS_SYMLINK ${to})
    message(STATUS "Kept ${to}: the user's own")
    continue()
  endif()
  file(SHA1 ${to} present)
  if(present STREQUAL shipped)
    list(APPEND record "${shipped} ${entry}")
  elseif(NOT entry MATCHES "/")
    # The settings file: the program writes it, it is always the user's.
  elseif(NOT "${present} ${entry}" IN_LIST laid AND NOT "${present} ${entry}" IN_LIST earlier)
    message(STATUS "Kept ${to}: the user's own")
  else()
    # Still a copy the program put there: the newer shipped file replaces it whole.
    file(COPY_FILE ${from} ${to}.layout-new)
    file(RENAME ${to}.layout-new ${to})
    list(APPEND record "${shipped} ${entry}")
  endif()
endforeach()

list(JOIN record "\n" text)
file(WRITE ${manifest}.new "${text}\n")
file(RENAME ${manifest}.new ${manifest})
