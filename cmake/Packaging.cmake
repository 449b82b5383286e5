# Installation layout and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

if(TARGET tarvelo)
  install(TARGETS tarvelo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarvelo.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.tarvelo.Tarvelo.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size 16 32 48 128 256)
    set(icon ${PROJECT_SOURCE_DIR}/assets/icons/tarvelo_${size}.png)
    if(EXISTS ${icon})
      install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
              RENAME tarvelo.png)
    endif()
  endforeach()
endif()

if(TARGET tarvelo-service)
  install(TARGETS tarvelo-service RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarvelo-service.service
                ${PROJECT_SOURCE_DIR}/packaging/tarvelo-service@.service
          DESTINATION lib/systemd/system)
  # An example for the administrator to copy into /etc/nginx/sites-available
  # and adapt (ports, limits), not a live configuration.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/nginx/tarvelo-service
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvelo/nginx)
  # The word lists the search's English synonyms come from ask for their notices.
  install(FILES ${PROJECT_SOURCE_DIR}/server/search/english-synonyms.NOTICE
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvelo)
endif()

set(CPACK_PACKAGE_NAME tarvelo)
set(CPACK_PACKAGE_VENDOR "Veloria")
set(CPACK_PACKAGE_CONTACT "Tarvelo maintainers <support@tarvelo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Customs data lookup: tariff lines, commodity codes, export rebates, policies")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by the library scan: the X11 platform plugin Qt loads at run time,
# and Qt's Chinese texts for the standard dialogs. OpenCC is found by it, and
# named all the same: its package brings the conversion tables (t2s.json) the
# service opens at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, libopencc1.1")
# The Wayland platform plugin, for sessions without XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-wayland")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
