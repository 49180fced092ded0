# The program folder's layout brings shipped files up to date and never deletes or replaces the
# user's: the settings file, a project, a template the user installed under a shipped name. A folder
# laid out before the layout kept its record is brought up to date as well.
#   cmake -DLAYOUT_SCRIPT=<layout-program.cmake> -DWORK_DIR=<scratch folder> -P ProgramLayoutTest.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
set(data ${WORK_DIR}/data)
set(prog ${WORK_DIR}/program)

function(put path text)
  file(WRITE ${path} "${text}")
endfunction()
function(layout)
  execute_process(COMMAND ${CMAKE_COMMAND} -DDATA_DIR=${data} -DPROGRAM_DIR=${prog}
                          -DEARLIER_SHIPPED=${WORK_DIR}/earlier.txt -P ${LAYOUT_SCRIPT}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "layout failed: ${rc}")
  endif()
endfunction()
function(expect path text)
  if(NOT EXISTS ${prog}/${path})
    message(FATAL_ERROR "${path} is missing")
  endif()
  file(READ ${prog}/${path} have)
  if(NOT have STREQUAL text)
    message(FATAL_ERROR "${path} holds \"${have}\", not \"${text}\"")
  endif()
endfunction()

set(names tolvanar.ini Lang/English.dic Templates/Horizontal/Menus/shipped.swf
          Templates/Horizontal/Menus/taken.swf Templates/Horizontal/Menus/edited.swf)
# Every shipped file in its version n, dated apart from any other version.
function(ship n)
  foreach(name ${names})
    put(${data}/${name} "${name} ${n}")
    execute_process(COMMAND touch -d @${n}000000000 ${data}/${name})
  endforeach()
endfunction()

# The program knows the SHA-1 of every file version 0 shipped.
set(earlier "")
foreach(name ${names})
  string(SHA1 sum "${name} 0")
  string(APPEND earlier "${sum} ${name}\n")
endforeach()
put(${WORK_DIR}/earlier.txt "${earlier}")

ship(1)
file(MAKE_DIRECTORY ${data}/Templates/Preview/flashmenu)
layout()
expect(tolvanar.ini "tolvanar.ini 1")
expect(Templates/Horizontal/Menus/taken.swf "Templates/Horizontal/Menus/taken.swf 1")
if(NOT IS_DIRECTORY ${prog}/Templates/Preview/flashmenu)
  message(FATAL_ERROR "an empty shipped folder was not made")
endif()

# The user works: settings, a project, a package whose set has a shipped name, an own set, an edit.
put(${prog}/tolvanar.ini "[options]\nProjectPath=/home/me/\n")
put(${prog}/Projects/site.tvp "project")
put(${prog}/Templates/Horizontal/Menus/taken.swf "installed")
put(${prog}/Templates/Horizontal/Menus/own.swf "own")
put(${prog}/Templates/Horizontal/Menus/edited.swf "edited by hand")

# A newer program ships new versions of everything.
ship(2)
layout()
layout()

expect(tolvanar.ini "[options]\nProjectPath=/home/me/\n")
expect(Projects/site.tvp "project")
expect(Templates/Horizontal/Menus/taken.swf "installed")
expect(Templates/Horizontal/Menus/own.swf "own")
expect(Templates/Horizontal/Menus/edited.swf "edited by hand")
expect(Lang/English.dic "Lang/English.dic 2")
expect(Templates/Horizontal/Menus/shipped.swf "Templates/Horizontal/Menus/shipped.swf 2")

# A folder laid out by a program that kept no record: what version 0 shipped is the program's, the
# user's edit and the settings file stay.
set(prog ${WORK_DIR}/older)
foreach(name tolvanar.ini Lang/English.dic Templates/Horizontal/Menus/shipped.swf)
  put(${prog}/${name} "${name} 0")
endforeach()
put(${prog}/Templates/Horizontal/Menus/edited.swf "edited by hand")
layout()
expect(Lang/English.dic "Lang/English.dic 2")
expect(Templates/Horizontal/Menus/shipped.swf "Templates/Horizontal/Menus/shipped.swf 2")
expect(Templates/Horizontal/Menus/edited.swf "edited by hand")
expect(tolvanar.ini "tolvanar.ini 0")
expect(Templates/Horizontal/Menus/taken.swf "Templates/Horizontal/Menus/taken.swf 2")
file(REMOVE_RECURSE ${WORK_DIR})
