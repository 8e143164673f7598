# Installing QV on Linux (`cmake --install`) and its Debian package (CPack): the program
# in bin, its launcher module in libexec/qv, the desktop entry, icons, AppStream metadata,
# manual page, copyright and changelog. One application id names them all.
include(GNUInstallDirs)
set(QV_APP_ID org.velmora.TrayMenu)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Compressed as Debian wants them: the most, and without a time stamp.
set(packaging ${CMAKE_SOURCE_DIR}/packaging)
foreach(file qv.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}.gz
                     COMMAND gzip -9nc ${packaging}/${file} > ${CMAKE_BINARY_DIR}/${file}.gz
                     DEPENDS ${packaging}/${file})
endforeach()
add_custom_target(qv_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/qv.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)

install(TARGETS qv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS qv_app LIBRARY DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/qv)
# As Debian strips binaries: the compilers' .comment notes go too.
install(CODE "set(objcopy ${CMAKE_OBJCOPY})
              set(binaries bin/qv ${CMAKE_INSTALL_LIBEXECDIR}/qv/libqv_app.so)")
install(CODE [[
  foreach(binary ${binaries})
    execute_process(COMMAND ${objcopy} --remove-section=.comment
                            $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${binary})
  endforeach()
]])
install(FILES ${packaging}/${QV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${QV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128)
  install(FILES assets/icons/qv-${size}.png RENAME ${QV_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES assets/icons/qv.svg RENAME ${QV_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/qv.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The QV developers <nobody@invalid>")  # none yet: .invalid says so
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "program launcher in the notification area")
set(CPACK_PACKAGE_DESCRIPTION
    "QV, the Velmora Tray Menu, puts an icon beside the clock. A click on it pops\n\
up a menu in the corner of the screen with seven programs of your own, five\n\
everyday tools and its commands; a settings window, behind an optional\n\
password, picks the programs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # dependencies from the binaries themselves
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
