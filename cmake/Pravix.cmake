include(GoogleTest)

# Helpers shared by every folder. Sources are collected per folder so that adding a
# unit never needs an edit of a shared CMake file.

# pravix_library(<target> <dir> [DEPS ...]): a shared library of every .cpp in <dir>.
# Shared, so every class registers itself by name when the program starts: classes that
# only form descriptions mention are still found (a static archive would drop them).
function(pravix_library target dir)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_library(${target} SHARED ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${PRAVIX_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  # Every symbol a library uses must come from what it links, so a call into a layer the
  # library does not depend on (the GUI from GUI-free code) fails when the library links.
  # (Not in the fuzz build: clang links the sanitizer runtimes into the programs only.)
  if(NOT PRAVIX_FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# pravix_odr_check(<dir>...): the comparison step of the one-definition build (PRAVIX_ODR_CHECK).
# A relocatable link-time-optimisation link of the objects of every library under the given
# folders: it merges their intermediate code, which compares every class, enumeration, function
# and variable defined or declared in more than one file, within a library and across libraries,
# and stops before generating code. A difference is an error. The programs are not built (their
# main files would clash, and they add nothing to compare but main), nor is the OPC stand-in: its
# two variants are built from the same files on purpose, and a program loads one of them at most.
function(pravix_odr_check)
  set(libraries)
  list(TRANSFORM ARGN PREPEND ${CMAKE_SOURCE_DIR}/ OUTPUT_VARIABLE pending)
  while(pending)
    list(POP_FRONT pending dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND pending ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "STATIC_LIBRARY")
        list(APPEND libraries ${target})
      elseif(type STREQUAL "EXECUTABLE")
        # Still built when a library needs it (the resource compiler).
        set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
      endif()
    endforeach()
  endwhile()
  list(TRANSFORM libraries REPLACE "(.+)" "$<TARGET_OBJECTS:\\1>" OUTPUT_VARIABLE objects)
  list(JOIN libraries ", " names)
  set(merged ${CMAKE_BINARY_DIR}/odr-check.o)
  add_custom_command(OUTPUT ${merged}
    COMMAND ${CMAKE_CXX_COMPILER} -r -nostdlib -flto -flinker-output=rel -Wodr -Werror=odr
            -Werror=lto-type-mismatch -o ${merged} ${objects}
    DEPENDS ${libraries}
    COMMENT "Comparing the definitions in ${names}"
    VERBATIM COMMAND_EXPAND_LISTS)
  add_custom_target(pravix_odr_check ALL DEPENDS ${merged})
endfunction()

# pravix_tests(<dir> DEPS ... [RUNTIME_DEPS ...] [NO_APPLICATION]): one test program per
# tests/<dir>/*_test.cpp, each registered with ctest test by test, or with
# PRAVIX_TESTS_PER_PROGRAM as one ctest test per program (a process per test case costs more
# than the case itself in a sanitizer build, so the full runs take whole programs). GUI code
# runs on the offscreen platform. NO_APPLICATION programs test GUI-free code: they link neither the visual platform
# nor its application object, so a GUI dependency of what they test fails to link. RUNTIME_DEPS
# are targets built before the programs (libraries they load at run time); a variable
# PRAVIX_TEST_ENV_<name> (name of the test file without extension) adds environment settings,
# and PRAVIX_TEST_FILTER_<name> a gtest filter of the tests that ctest runs from that program.
function(pravix_tests dir)
  cmake_parse_arguments(ARG "NO_APPLICATION" "" "DEPS;RUNTIME_DEPS" ${ARGN})
  set(support pravix_test_support)
  if(ARG_NO_APPLICATION)
    set(support pravix_test_support_core)
  endif()
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*_test.cpp)
  foreach(test_source ${tests})
    get_filename_component(name ${test_source} NAME_WE)
    set(target ${dir}_${name})
    string(REPLACE "/" "_" target ${target})
    add_executable(${target} ${test_source})
    target_compile_options(${target} PRIVATE ${PRAVIX_WARNINGS})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} ${support} GTest::gtest)
    if(ARG_RUNTIME_DEPS)
      add_dependencies(${target} ${ARG_RUNTIME_DEPS})
    endif()
    set(environment "QT_QPA_PLATFORM=offscreen")
    if(DEFINED PRAVIX_TEST_ENV_${name})
      list(APPEND environment ${PRAVIX_TEST_ENV_${name}})
    endif()
    set(filter "*")
    if(DEFINED PRAVIX_TEST_FILTER_${name})
      set(filter ${PRAVIX_TEST_FILTER_${name}})
    endif()
    if(PRAVIX_TESTS_PER_PROGRAM)
      add_test(NAME ${target} COMMAND ${target} --gtest_filter=${filter}
               WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
      set_tests_properties(${target} PROPERTIES ENVIRONMENT "${environment}")
      continue()
    endif()
    gtest_discover_tests(${target}
      TEST_FILTER ${filter}
      DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    # A list-valued property does not survive test discovery intact, so the environment is set
    # by a script that ctest runs after the discovered tests are defined.
    set(environment_script ${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake)
    file(WRITE ${environment_script}
      "if(${target}_TESTS)\n"
      "  set_tests_properties(\${${target}_TESTS} PROPERTIES ENVIRONMENT [==[${environment}]==])\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_script})
  endforeach()
endfunction()
