# Windows build (mingw-w64): the platform's real calls, the program, the
# developer tool, and the test programs that run under Wine.
add_compile_definitions(STRICT NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
# One self-contained executable each: no mingw runtime DLLs to ship or find.
add_link_options(-static -static-libgcc -static-libstdc++)

file(GLOB KS_WIN32_PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(ks_platform_win32 STATIC ${KS_WIN32_PLATFORM_SOURCES})
# ole32, wininet and shcore are loaded when first needed
# (platform/win32/system_library.h): start-up does without them.
target_link_libraries(ks_platform_win32 PUBLIC ks_core advapi32 user32 gdi32 shell32 comctl32)
ks_warnings(ks_platform_win32)

# The program: its windows as a library (the tests use them in-process too),
# and the entry point with the resources.
file(GLOB KS_UI_SOURCES CONFIGURE_DEPENDS src/ui/*.cpp)
list(REMOVE_ITEM KS_UI_SOURCES ${CMAKE_SOURCE_DIR}/src/ui/main.cpp)
find_package(JPEG REQUIRED)
add_library(ks_ui STATIC ${KS_UI_SOURCES})
target_include_directories(ks_ui PUBLIC src res)
target_link_libraries(ks_ui PUBLIC ks_platform_win32 JPEG::JPEG)
ks_warnings(ks_ui)
if(EXISTS ${CMAKE_SOURCE_DIR}/src/ui/main.cpp AND EXISTS ${CMAKE_SOURCE_DIR}/res/keystride.rc)
  # windres reads these files, but the build does not see them as inputs.
  file(GLOB KS_RESOURCE_FILES CONFIGURE_DEPENDS res/*.ico res/*.bmp res/*.jpg res/*.manifest)
  set_source_files_properties(res/keystride.rc PROPERTIES OBJECT_DEPENDS "${KS_RESOURCE_FILES}")
  add_executable(keystride WIN32 src/ui/main.cpp res/keystride.rc)
  target_link_libraries(keystride PRIVATE ks_ui)
  ks_warnings(keystride)
  include(cmake/Package.cmake)
endif()

add_executable(keystride-jump tools/keystride_jump.cpp)
target_link_libraries(keystride-jump PRIVATE ks_platform_win32 ole32)
ks_warnings(keystride-jump)

if(CMAKE_CROSSCOMPILING_EMULATOR)
  include(cmake/Win32Tests.cmake)
endif()

add_executable(editor-probe tools/editor_probe.cpp)
target_link_libraries(editor-probe PRIVATE ks_platform_win32)
ks_warnings(editor-probe)

# The demonstration's driver (scripts/demo.sh): keystride.exe driven from
# outside with the end-to-end tests' helpers.
add_executable(keystride-demo tools/keystride_demo.cpp)
target_include_directories(keystride-demo PRIVATE tests)
target_compile_definitions(keystride-demo PRIVATE KS_BUILD_DIR="${CMAKE_BINARY_DIR}")
target_link_libraries(keystride-demo PRIVATE ks_platform_win32)
ks_warnings(keystride-demo)
if(TARGET keystride)
  add_dependencies(keystride-demo keystride editor-probe)
endif()

# Benchmarks that need the real system: bench/win32/<name>.cpp gives <name>.exe.
# They drive the program as the end-to-end tests do, with the tests' helpers.
file(GLOB KS_WIN32_BENCH CONFIGURE_DEPENDS bench/win32/*.cpp)
foreach(source IN LISTS KS_WIN32_BENCH)
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE tests)
  target_compile_definitions(${name} PRIVATE KS_BUILD_DIR="${CMAKE_BINARY_DIR}")
  target_link_libraries(${name} PRIVATE ks_platform_win32 psapi ole32)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()
# The start-up benchmark's baseline: one empty window, a GUI program like
# keystride.exe and built with the same flags.
add_executable(empty_window WIN32 bench/win32/helpers/empty_window.cpp)
ks_warnings(empty_window)
set_target_properties(empty_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
