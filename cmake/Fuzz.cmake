# libFuzzer targets, with AddressSanitizer and UndefinedBehaviorSanitizer (clang only).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "HARNLO_FUZZ needs clang (cmake --preset fuzz)")
endif()
set(harnlo_fuzz_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(harnlo_core PRIVATE ${harnlo_fuzz_flags} -fsanitize=fuzzer-no-link)

foreach(target text_routines_fuzz share_link_fuzz)
  add_executable(${target} tests/fuzz/${target}.cpp)
  target_link_libraries(${target} PRIVATE harnlo_core)
  target_compile_options(${target} PRIVATE ${harnlo_fuzz_flags} -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE ${harnlo_fuzz_flags} -fsanitize=fuzzer)
  harnlo_warnings(${target})
endforeach()
