# The Win32 backend: plain Win32 API (user32, gdi32, shell32, advapi32; comdlg32, oleacc
# and shcore load when first needed), the C++ runtime linked in statically, so qv.exe is
# one file that needs system DLLs only.
enable_language(RC)
file(GLOB backend_sources CONFIGURE_DEPENDS src/platform/win32/*.cpp)
target_sources(qv_core PRIVATE ${backend_sources})
target_compile_definitions(qv_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_compile_definitions(qv_core PRIVATE UNICODE _UNICODE)  # the W calls, UTF-16
target_link_libraries(qv_core PUBLIC user32 gdi32 shell32 advapi32)
if(MINGW)
  target_link_options(qv_core INTERFACE -static -static-libgcc -static-libstdc++)
endif()

add_executable(qv WIN32 src/main_win32.cpp assets/win32/qv.rc)
target_link_libraries(qv PRIVATE qv_core)
set_source_files_properties(assets/win32/qv.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/assets/win32/qv.manifest;${CMAKE_SOURCE_DIR}/assets/win32/qv.ico")
if(MINGW)
  target_compile_options(qv_core PRIVATE -ffunction-sections -fdata-sections)
  target_link_options(qv PRIVATE -Wl,--gc-sections -s -Wl,--no-insert-timestamp)
elseif(MSVC)
  target_link_options(qv PRIVATE /ENTRY:mainCRTStartup)
endif()
