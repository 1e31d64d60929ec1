# libFuzzer targets: tests/fuzz/fuzz_<name>.cpp gives fuzz_<name>, seeded
# from tests/fuzz/corpus/<name>/. Built with clang only (scripts/fuzz.sh).
file(GLOB KS_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
add_custom_target(fuzzers)
foreach(source IN LISTS KS_FUZZ_SOURCES)
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ks_platform_sim)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  add_dependencies(fuzzers ${name})
endforeach()
