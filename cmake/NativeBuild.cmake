# Native (Linux) build: the platform-free code and its tests under AddressSanitizer and UBSan.
# It also drives the Windows builds as external projects and adds their Wine tests to CTest,
# so one CTest run covers everything.
set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_compile_options(${sanitize})
add_link_options(${sanitize})
# Out-of-range indexes into standard containers fail at once, even where AddressSanitizer sees nothing.
add_compile_definitions(_GLIBCXX_ASSERTIONS)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests/fixtures)
add_subdirectory(tests/native)

option(PICTAVO_WINDOWS "Build the Windows program and run its tests under Wine" ON)
if(PICTAVO_WINDOWS)
  include(ExternalProject)
  get_filename_component(windows_build_root ${CMAKE_BINARY_DIR} DIRECTORY)
  foreach(arch x86_64 i686)
    if(arch STREQUAL x86_64)
      set(dir ${windows_build_root}/win64)
    else()
      set(dir ${windows_build_root}/win32)
    endif()
    ExternalProject_Add(pictavo_${arch}
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${dir}
      CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-${arch}.cmake
                 -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      BUILD_ALWAYS ON
      INSTALL_COMMAND ""
      USES_TERMINAL_BUILD ON)
  endforeach()
  # Build one Windows variant after the other: two parallel mingw builds overload a small machine.
  ExternalProject_Add_StepDependencies(pictavo_i686 configure pictavo_x86_64)
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${windows_build_root}/win64/wine-tests.cmake)
endif()
