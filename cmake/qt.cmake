# The Qt 6 backend for Linux desktops, with the POSIX services it stands on. The
# executable `qv` links no Qt, so a duplicate start ends before any library loads: it
# takes the instance lock in plain C calls and then loads the launcher, libqv_app.so.
find_package(Qt6 REQUIRED COMPONENTS Widgets DBus)
# Resources without file times (rcc format 1): the same assets build the same bytes.
set_target_properties(qv_core PROPERTIES AUTORCC ON AUTORCC_OPTIONS "--format-version;1"
                                         POSITION_INDEPENDENT_CODE ON)
# The executable's own two files stay out of the launcher.
set(executable_sources src/platform/posix/instance_posix.cpp src/platform/posix/launcher_module.cpp)
file(GLOB backend_sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
     src/platform/qt/*.cpp src/platform/posix/*.cpp)
list(REMOVE_ITEM backend_sources ${executable_sources})
target_sources(qv_core PRIVATE assets/assets.qrc ${backend_sources})
target_link_libraries(qv_core PUBLIC Qt6::Widgets Qt6::DBus xcb)

# The instance lock, shared by the executable and the tests.
add_library(qv_instance STATIC src/platform/posix/instance_posix.cpp)
target_include_directories(qv_instance PUBLIC src)

add_library(qv_app MODULE src/app_module_qt.cpp)
set_target_properties(qv_app PROPERTIES PREFIX lib CXX_VISIBILITY_PRESET hidden)
target_link_libraries(qv_app PRIVATE qv_core)

add_executable(qv src/main_posix.cpp src/platform/posix/launcher_module.cpp)
target_link_libraries(qv PRIVATE qv_instance ${CMAKE_DL_LIBS})
target_link_options(qv PRIVATE -Wl,--as-needed)
add_dependencies(qv qv_app)

# Hardened release binaries, as Debian builds its own.
if(NOT QV_SANITIZE)
  set(fortify $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  target_compile_options(qv_core PUBLIC ${fortify})
  target_compile_options(qv PRIVATE ${fortify})
  target_link_options(qv PRIVATE -Wl,-z,relro,-z,now)
  target_link_options(qv_app PRIVATE -Wl,-z,relro,-z,now)
endif()
# Installed, the module lives in libexec/qv beside bin, where Debian keeps private modules
# that are no libraries of others (so no ldconfig runs for it); in the build tree, beside qv.
set_source_files_properties(src/platform/posix/launcher_module.cpp PROPERTIES
                            COMPILE_DEFINITIONS QV_INSTALLED_MODULE="../libexec/qv/libqv_app.so")
include(cmake/package.cmake)
