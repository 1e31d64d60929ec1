# Test programs run under Wine through the emulator script. Tests are listed
# by scanning the sources: discovering them by running each program under
# Wine would cost seconds per build.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# Helper programs the tests start: tests/helpers/<name>.cpp gives <name>.exe.
file(GLOB KS_TEST_HELPERS CONFIGURE_DEPENDS tests/helpers/*.cpp)
set(KS_TEST_HELPER_TARGETS)
foreach(source IN LISTS KS_TEST_HELPERS)
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE src tests)
  target_compile_definitions(${name} PRIVATE KS_BUILD_DIR="${CMAKE_BINARY_DIR}")
  target_link_libraries(${name} PRIVATE ks_platform_win32)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test-helpers)
  list(APPEND KS_TEST_HELPER_TARGETS ${name})
endforeach()

# tests/win32 (Win32 platform and engine against the real system) and
# tests/e2e (the real programs driven from outside).
foreach(suite win32 e2e)
  file(GLOB sources CONFIGURE_DEPENDS tests/${suite}/*.cpp)
  if(NOT sources)
    continue()
  endif()
  # The simulated platform is portable; the Win32 tests pair it with real parts.
  file(GLOB sim_sources CONFIGURE_DEPENDS src/platform/sim/*.cpp)
  add_executable(${suite}_tests ${sources} ${sim_sources})
  target_include_directories(${suite}_tests PRIVATE src tests)
  target_link_libraries(${suite}_tests PRIVATE ks_ui gtest_main gmock)
  target_compile_definitions(${suite}_tests PRIVATE
    KS_BUILD_DIR="${CMAKE_BINARY_DIR}" KS_HELPER_DIR="${CMAKE_BINARY_DIR}/test-helpers")
  if(KS_TEST_HELPER_TARGETS)
    add_dependencies(${suite}_tests ${KS_TEST_HELPER_TARGETS})
  endif()
  if(TARGET keystride)
    add_dependencies(${suite}_tests keystride)
  endif()
  add_dependencies(${suite}_tests keystride-jump)
  gtest_add_tests(TARGET ${suite}_tests TEST_PREFIX "${suite}." SOURCES ${sources}
    TEST_LIST ${suite}_test_list)
  set_tests_properties(${${suite}_test_list} PROPERTIES TIMEOUT 120 RESOURCE_LOCK wine_desktop)
endforeach()
