# Windows test programs, run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
function(harnlo_windows_test name)
  add_executable(${name} ${ARGN})
  target_sources(${name} PRIVATE tests/windows/wine_test_main.cpp tests/windows/result_file.cpp)
  target_link_libraries(${name} PRIVATE harnlo_platform gtest ole32)
  harnlo_warnings(${name})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports -Wrestrict wrongly for "text" + std::string (GCC bug 105329).
    target_compile_options(${name} PRIVATE -Wno-restrict)
  endif()
endfunction()

harnlo_windows_test(convert_share_text_test tests/windows/convert_share_text_test.cpp
  tests/windows/link_log.cpp tests/windows/clipboard_fixture.cpp)
add_test(NAME windows.convert_share_text COMMAND convert_share_text_test)
# The same under a Western ANSI code page: the code word still arrives, through the
# clipboard's Unicode text.
add_test(NAME windows.convert_share_text_cp1252 COMMAND convert_share_text_test
  --gtest_filter=*Unicode*:*Ascii*)
set_tests_properties(windows.convert_share_text_cp1252 PROPERTIES
  ENVIRONMENT "HARNLO_LANG=en_US.UTF-8;HARNLO_EXPECT_ACP=1252")
set_tests_properties(windows.convert_share_text PROPERTIES ENVIRONMENT "HARNLO_EXPECT_ACP=936")

harnlo_windows_test(text_routines_test tests/windows/text_routines_test.cpp)
add_test(NAME windows.text_routines COMMAND text_routines_test)

add_executable(hotkey_holder tests/windows/hotkey_holder.cpp)
harnlo_warnings(hotkey_holder)

harnlo_windows_test(windows_and_controls_test tests/windows/windows_and_controls_test.cpp
  tests/windows/screen_capture.cpp)
add_test(NAME windows.windows_and_controls COMMAND windows_and_controls_test)

harnlo_windows_test(settings_file_test tests/windows/settings_file_test.cpp)
add_test(NAME windows.settings_file COMMAND settings_file_test --gtest_filter=-*Unstorable*)
foreach(unstorable DirectoryOfThatNameLeavesF1ForTheRun ReadOnlyFileKeepsItsBytesAndTheChoiceServes)
  add_test(NAME windows.settings_file.${unstorable} COMMAND settings_file_test
    --gtest_filter=*Unstorable${unstorable})
endforeach()

harnlo_windows_test(hotkey_registration_test tests/windows/hotkey_registration_test.cpp
  tests/windows/screen_capture.cpp tests/windows/other_program.cpp tests/windows/unix_command.cpp
  tests/windows/link_log.cpp tests/windows/clipboard_fixture.cpp)
add_dependencies(hotkey_registration_test hotkey_holder)
add_test(NAME windows.hotkey_registration COMMAND hotkey_registration_test)

# The real harnlo.exe driven from outside, inside a Wine virtual desktop with a taskbar.
function(harnlo_e2e_test name)
  harnlo_windows_test(${name} ${ARGN} tests/e2e/harnlo_driver.cpp tests/e2e/hotkey_window_driver.cpp
    tests/windows/clipboard_fixture.cpp tests/windows/unix_command.cpp
    tests/windows/link_log.cpp tests/windows/screen_capture.cpp)
  target_include_directories(${name} PRIVATE tests/windows)
  target_link_libraries(${name} PRIVATE psapi)
  add_dependencies(${name} harnlo hotkey_holder)
  add_test(NAME e2e.${name} COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/desktop-run.sh $<TARGET_FILE:${name}>)
endfunction()

harnlo_e2e_test(program_test tests/e2e/program_test.cpp)
harnlo_e2e_test(hotkey_window_test tests/e2e/hotkey_window_test.cpp tests/windows/other_program.cpp)

harnlo_windows_test(executable_test tests/windows/executable_test.cpp)
target_link_libraries(executable_test PRIVATE version)
add_dependencies(executable_test harnlo)
add_test(NAME windows.executable COMMAND executable_test)

harnlo_windows_test(link_route_test tests/windows/link_route_test.cpp tests/windows/link_log.cpp)
add_test(NAME windows.link_route COMMAND link_route_test)
harnlo_e2e_test(faults_test tests/e2e/faults_test.cpp tests/windows/dde_browser.cpp)

# Benchmarks under Wine (scripts/bench.sh), not tests.
add_executable(minimal_tray WIN32 tests/bench/minimal_tray.cpp)
target_link_libraries(minimal_tray PRIVATE shell32 user32)
harnlo_warnings(minimal_tray)
foreach(bench program_bench latency_bench)
  add_executable(${bench} tests/bench/${bench}.cpp tests/e2e/harnlo_driver.cpp
    tests/windows/clipboard_fixture.cpp tests/windows/link_log.cpp tests/windows/result_file.cpp
    tests/windows/screen_capture.cpp tests/windows/unix_command.cpp)
  target_include_directories(${bench} PRIVATE tests/windows tests/e2e)
  target_link_libraries(${bench} PRIVATE harnlo_platform psapi)
  harnlo_warnings(${bench})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${bench} PRIVATE -Wno-restrict)
  endif()
  add_dependencies(${bench} harnlo minimal_tray)
endforeach()
