# What `make install` / `cmake --install` puts in place, and the Debian
# package built from it with CPack (`make package`).
#   bin/notorio, bin/notorio-cli
#   share/notorio/help/notorio.html      (the program finds it from bin/)
#   share/applications/notorio.desktop   (starts it in ~/.local/share/notorio)
#   share/mime/packages/notorio.xml      (.srt and .xml notes)
#   share/icons/hicolor/*/apps/notorio.*
#   share/man/man1/notorio-cli.1
include(GNUInstallDirs)

# Installing and packaging take the programs as `make build` left them:
# neither builds every target first (the test programs among them, one at a
# time, for many minutes).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(NOTORIO_DATA ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS notorio notorio-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/doc/help/notorio.html
  DESTINATION ${CMAKE_INSTALL_DATADIR}/notorio/help)
install(FILES ${NOTORIO_DATA}/notorio.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${NOTORIO_DATA}/notorio-mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME notorio.xml)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${NOTORIO_DATA}/icons/notorio-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME notorio.png)
endforeach()
install(FILES ${NOTORIO_DATA}/icons/notorio.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${NOTORIO_DATA}/notorio-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Installed straight into the system (no DESTDIR, not a package): the
# desktop's MIME, menu and icon caches learn of the new files. A package
# leaves that to dpkg's triggers.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "")
    foreach(refresh
        "update-mime-database;${CMAKE_INSTALL_PREFIX}/share/mime"
        "update-desktop-database;-q;${CMAKE_INSTALL_PREFIX}/share/applications"
        "gtk-update-icon-cache;-q;-t;-f;${CMAKE_INSTALL_PREFIX}/share/icons/hicolor")
      list(GET refresh 0 program)
      find_program(NOTORIO_REFRESH_${program} ${program})
      if(NOTORIO_REFRESH_${program})
        execute_process(COMMAND ${refresh} ERROR_QUIET OUTPUT_QUIET)
      endif()
    endforeach()
  endif()
]])

# The Debian package: the runtime libraries of Debian 12, never the -dev
# packages; menus, MIME types and icon caches are refreshed by dpkg's
# triggers of the packages that own those folders.
set(CPACK_PACKAGE_NAME notorio)
set(CPACK_PACKAGE_VERSION "1.0.0")
set(CPACK_PACKAGE_CONTACT "notorio maintainers <notorio@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "delivery notes, retained copies and invoices (ノートリオ)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "ノートリオ writes delivery notes (納品書), their retained copies and invoices\n"
  "for a small business, prints them on A4 paper or to PDF and keeps registers\n"
  "of issuers, customers and product words.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE NOTORIO_DEB_ARCH
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOTORIO_DEB_ARCH)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${NOTORIO_DEB_ARCH})
endif()
set(NOTORIO_DEB_DEPENDS
  "libc6"
  "libstdc++6"
  "libqt6core6 (>= 6.4)"
  "libqt6gui6 (>= 6.4)"
  "libqt6widgets6 (>= 6.4)"
  "libqt6printsupport6 (>= 6.4)"
  "qt6-qpa-plugins"
  "libboost-serialization1.74.0"
  "libgsf-1-114"
  "libglib2.0-0"
  "fonts-ipafont-gothic | fonts-japanese-gothic"
  "fontconfig"
  "xdg-utils"
  "qt6-translations-l10n")
list(JOIN NOTORIO_DEB_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
