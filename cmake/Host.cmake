# Host build: the portable core and its tests, under the sanitizers when asked; or, with
# HARNLO_FUZZ (clang), the fuzz targets instead.
if(HARNLO_FUZZ)
  include(cmake/Fuzz.cmake)
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

if(HARNLO_SANITIZE)
  set(harnlo_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(harnlo_core PRIVATE ${harnlo_sanitizer_flags})
  target_link_options(harnlo_core PUBLIC ${harnlo_sanitizer_flags})
endif()

add_executable(harnlo_host_tests
  tests/host/text_routines_test.cpp
  tests/host/share_link_test.cpp
  tests/host/layout_and_keys_test.cpp
  tests/host/icon_file_test.cpp
  tests/host/link_route_test.cpp
  tests/host/profile_edit_test.cpp)
target_compile_definitions(harnlo_host_tests PRIVATE HARNLO_ICON_PATH="${CMAKE_SOURCE_DIR}/res/harnlo.ico")
target_link_libraries(harnlo_host_tests PRIVATE harnlo_core GTest::gtest_main)
harnlo_warnings(harnlo_host_tests)
if(HARNLO_SANITIZE)
  target_compile_options(harnlo_host_tests PRIVATE ${harnlo_sanitizer_flags})
endif()
gtest_discover_tests(harnlo_host_tests)

if(HARNLO_BENCH)
  find_package(benchmark REQUIRED)
  add_executable(conversion_bench tests/bench/conversion_bench.cpp)
  target_link_libraries(conversion_bench PRIVATE harnlo_core benchmark::benchmark)
  harnlo_warnings(conversion_bench)
endif()
