# Windows build (cross-compiled with mingw-w64, or on Windows itself): the program, its tests,
# the test fixtures and the benchmarks.
enable_language(RC)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The Windows form of a build-tree path, as the program sees it under Wine (Z: is the Linux root).
function(pictavo_windows_path out path)
  if(CMAKE_HOST_WIN32)
    file(TO_NATIVE_PATH "${path}" native)
  else()
    string(REPLACE "/" "\\" native "Z:${path}")
  endif()
  set(${out} "${native}" PARENT_SCOPE)
endfunction()

# Gives a Windows target the generated fixtures: built before it, their folder in
# PICTAVO_FIXTURE_DIR as the program sees it.
function(pictavo_use_fixtures target)
  get_property(dir GLOBAL PROPERTY PICTAVO_FIXTURE_DIR)
  pictavo_windows_path(windows_dir "${dir}")
  string(REPLACE "\\" "\\\\" escaped "${windows_dir}")
  target_compile_definitions(${target} PRIVATE "PICTAVO_FIXTURE_DIR=\"${escaped}\"")
  add_dependencies(${target} pictavo_fixtures)
endfunction()

# Adds a test that runs a Windows executable (under Wine when cross-compiled). GUI tests run one
# at a time: they share the display and the foreground window. DPI runs it on a display of that
# DPI: under Wine in a prefix of its own that scripts/wine-env.sh makes (PICTAVO_DPI); natively at
# the display's own DPI. CODEPAGE 1252 runs it on a Western system: under Wine in a prefix of its
# own (PICTAVO_CODEPAGE); natively on the system as it is.
set_property(GLOBAL PROPERTY PICTAVO_WINE_TESTS "")
function(pictavo_add_windows_test name target)
  cmake_parse_arguments(arg "GUI" "TIMEOUT;DPI;CODEPAGE" "ARGS" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${target} ${arg_ARGS})
  set(props "TIMEOUT ${arg_TIMEOUT} LABELS windows")
  if(arg_GUI)
    set(props "${props} RUN_SERIAL ON")
  endif()
  if(arg_DPI)
    set(props "${props} ENVIRONMENT PICTAVO_DPI=${arg_DPI}")
  endif()
  if(arg_CODEPAGE)
    set(props "${props} ENVIRONMENT PICTAVO_CODEPAGE=${arg_CODEPAGE}")
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
  set(args "")
  foreach(a ${arg_ARGS})
    string(APPEND args " [==[${a}]==]")
  endforeach()
  # Through wine-test, which also proves that Wine really started the program.
  set(line "add_test(win64.${name} [==[${PROJECT_SOURCE_DIR}/scripts/wine-test]==] [==[$<TARGET_FILE:${target}>]==]${args})\nset_tests_properties(win64.${name} PROPERTIES ${props})\n")
  if(NOT CMAKE_CROSSCOMPILING)
    set(line "add_test(win64.${name} [==[$<TARGET_FILE:${target}>]==]${args})\nset_tests_properties(win64.${name} PROPERTIES ${props})\n")
  endif()
  set_property(GLOBAL APPEND_STRING PROPERTY PICTAVO_WINE_TESTS "${line}")
endfunction()

# Adds a test that runs on the build host (not under Wine), for example a script that runs a
# Windows program and checks its output with Linux tools. It joins the Wine tests in CTest. SERIAL
# runs it alone, for a script that starts many Wine processes at once.
function(pictavo_add_host_test name)
  cmake_parse_arguments(arg "SERIAL" "TIMEOUT" "COMMAND" ${ARGN})
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  set(command "")
  foreach(a ${arg_COMMAND})
    string(APPEND command " [==[${a}]==]")
  endforeach()
  set(props "TIMEOUT ${arg_TIMEOUT} LABELS host")
  if(arg_SERIAL)
    set(props "${props} RUN_SERIAL ON")
  endif()
  set(line "add_test(win64.${name}${command})\nset_tests_properties(win64.${name} PROPERTIES ${props})\n")
  set_property(GLOBAL APPEND_STRING PROPERTY PICTAVO_WINE_TESTS "${line}")
endfunction()

add_subdirectory(resources)
add_subdirectory(tests/fixtures)
add_subdirectory(tests/win)
if(EXISTS ${PROJECT_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

# Every Windows test program and benchmark carries the program's resources, its manifest among
# them: what they run is what the program runs (visual styles, DPI awareness).
foreach(dir tests/win bench)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:pictavo_resources>)
      endif()
    endforeach()
  endif()
endforeach()

get_property(wine_tests GLOBAL PROPERTY PICTAVO_WINE_TESTS)
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine-tests.cmake CONTENT "${wine_tests}")
