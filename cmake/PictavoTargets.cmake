# Library targets shared by the native and the Windows build. Each folder adds its own sources.
#   pictavo_portable: code without <windows.h>, built everywhere (natively under the sanitizers).
#   pictavo_win:      everything that calls the platform; only in the Windows build.
add_library(pictavo_portable STATIC)
target_include_directories(pictavo_portable PUBLIC ${PROJECT_SOURCE_DIR})

if(WIN32)
  add_library(pictavo_win STATIC)
  target_link_libraries(pictavo_win PUBLIC pictavo_portable
    shell32 ole32 oleaut32 uuid comctl32 comdlg32 windowscodecs gdi32 user32 kernel32 shlwapi ntdll)
  target_compile_definitions(pictavo_portable PUBLIC
    WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX STRICT)
endif()

foreach(dir toolkit foldertree icons export dialogs app)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
