# Windows build: 32-bit, ANSI, static runtime, so that the programs need only system DLLs.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  message(WARNING "Harnlo is a 32-bit program; configure a 32-bit (x86 / i686) build")
endif()

set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
if(MINGW)
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
endif()
# ANSI: neither UNICODE nor _UNICODE; Windows 7 API level.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)

# The thin layer over Windows and the share-text handler.
add_library(harnlo_platform STATIC
  src/platform/clipboard.cpp
  src/platform/shell_open.cpp
  src/share/convert_share_text.cpp
  src/hotkey/hotkey_registration.cpp
  src/hotkey/settings_file.cpp
  src/ui/window_builder.cpp
  src/ui/controls.cpp
  src/ui/message_loop.cpp
  src/hotkey/hotkey_window.cpp
  src/app/program.cpp
  src/app/main_window.cpp
  src/app/tray_icon.cpp)
target_include_directories(harnlo_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(harnlo_platform PUBLIC harnlo_core shell32 ole32 oleaut32 uuid advapi32 user32 gdi32 kernel32)

# Harnlo itself: a GUI program with its manifest, icon and version information.
string(REPLACE "." "," HARNLO_VERSION_COMMAS "${PROJECT_VERSION}.0")
add_executable(harnlo WIN32 src/app/winmain.cpp res/harnlo.rc)
target_link_libraries(harnlo PRIVATE harnlo_platform)
harnlo_warnings(harnlo)
configure_file(res/version.h.in ${CMAKE_BINARY_DIR}/generated/harnlo_version.h @ONLY)
target_include_directories(harnlo PRIVATE ${CMAKE_BINARY_DIR}/generated)
set_property(SOURCE res/harnlo.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/res/harnlo.ico ${CMAKE_SOURCE_DIR}/res/harnlo.manifest)
if(MSVC)
  # The manifest comes from the resource script.
  target_link_options(harnlo PRIVATE /MANIFEST:NO)
endif()
harnlo_warnings(harnlo_platform)

# The Windows tests drive Harnlo under Wine (its browser setting, xdotool, the X clipboard),
# so they belong to the cross build. GoogleTest is built for Windows from its sources
# (Debian's googletest package here; point HARNLO_GOOGLETEST_SOURCE at another tree).
set(HARNLO_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree for the Windows tests")
if(NOT CMAKE_CROSSCOMPILING)
  message(STATUS "Native Windows build: harnlo.exe only; the tests run in the cross build under Wine")
elseif(EXISTS "${HARNLO_GOOGLETEST_SOURCE}/CMakeLists.txt")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(${HARNLO_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(cmake/WindowsTests.cmake)
else()
  message(STATUS "No GoogleTest sources at ${HARNLO_GOOGLETEST_SOURCE}: Windows tests not built")
endif()
