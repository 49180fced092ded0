# The source files of a folder of src/ or tests/ and of its sub-folders named in SUBDIRS, and the
# folders themselves (each on the include path, so units are included by their own names).
function(tolvanar_sources srcs_var dirs_var)
  set(dirs ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(sub ${ARGN})
    list(APPEND dirs ${CMAKE_CURRENT_SOURCE_DIR}/${sub})
  endforeach()
  set(srcs "")
  foreach(dir ${dirs})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(APPEND srcs ${found})
  endforeach()
  set(${srcs_var} ${srcs} PARENT_SCOPE)
  set(${dirs_var} ${dirs} PARENT_SCOPE)
endfunction()

# One static library per folder of src/, from every source file in that folder and its SUBDIRS.
function(tolvanar_layer name)
  cmake_parse_arguments(L "" "" "DEPS;SUBDIRS" ${ARGN})
  tolvanar_sources(srcs dirs ${L_SUBDIRS})
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${dirs})
  target_link_libraries(${name} PUBLIC ${L_DEPS})
endfunction()

# One test executable per tests/ folder (with its SUBDIRS), each case a CTest test.
function(tolvanar_tests name)
  cmake_parse_arguments(T "" "" "DEPS;SUBDIRS" ${ARGN})
  tolvanar_sources(srcs dirs ${T_SUBDIRS})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${dirs})
  target_link_libraries(${name} PRIVATE testsupport ${T_DEPS})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120)
endfunction()
