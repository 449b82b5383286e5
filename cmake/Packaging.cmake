# Two packages from one build: tarvelo (the desktop program) and
# tarvelo-service (the service, its units and the nginx site, without Qt).
include(GNUInstallDirs)

set(CPACK_PACKAGE_CONTACT "Tarvelo maintainers <support@tarvelo.invalid>")

# The Debian changelog and copyright files every package carries, in its own
# documentation folder.
function(tarvelo_package_docs component package)
  set(PACKAGE ${package})
  set(changelog ${PROJECT_BINARY_DIR}/packaging/${package}/changelog)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${changelog} @ONLY)
  add_custom_command(OUTPUT ${changelog}.gz
    COMMAND gzip -9nkf ${changelog}
    DEPENDS ${changelog})
  add_custom_target(${package}-changelog ALL DEPENDS ${changelog}.gz)
  install(FILES ${changelog}.gz ${PROJECT_SOURCE_DIR}/packaging/debian/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endfunction()

set(components)
if(TARGET tarvelo)
  list(APPEND components desktop)
  install(TARGETS tarvelo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT desktop)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarvelo.desktop ${PROJECT_SOURCE_DIR}/packaging/tarvelo-watch.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT desktop)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.tarvelo.Tarvelo.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT desktop)
  foreach(size 16 32 48 128 256)
    set(icon ${PROJECT_SOURCE_DIR}/assets/icons/tarvelo_${size}.png)
    if(EXISTS ${icon})
      install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
              RENAME tarvelo.png COMPONENT desktop)
    endif()
  endforeach()
  tarvelo_package_docs(desktop tarvelo)
endif()

if(TARGET tarvelo-service)
  list(APPEND components service)
  install(TARGETS tarvelo-service RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT service)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarvelo-service.service
                ${PROJECT_SOURCE_DIR}/packaging/tarvelo-service@.service
          DESTINATION lib/systemd/system COMPONENT service)
  # An example for the administrator to copy into /etc/nginx/sites-available
  # and adapt (ports, limits), not a live configuration.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/nginx/tarvelo-service
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvelo-service/nginx COMPONENT service)
  # The word lists the search's English synonyms come from ask for their notices.
  install(FILES ${PROJECT_SOURCE_DIR}/server/search/english-synonyms.NOTICE
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvelo-service COMPONENT service)
  tarvelo_package_docs(service tarvelo-service)
endif()

set(CPACK_PACKAGE_NAME tarvelo)
set(CPACK_PACKAGE_VENDOR "Veloria")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Each package's description below starts with its own summary line; a shared
# summary would be put before both.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME tarvelo)
set(CPACK_DEBIAN_DESKTOP_DESCRIPTION "Customs data lookup: tariff lines, commodity codes, export rebates, policies
The desktop program brokers use: it looks up tariff lines with their duty and
tax rates, commodity codes, export-rebate rates and laws and policies from a
tarvelo-service, and shows the news that service lists.")
# Not found by the library scan: the X11 platform plugin Qt loads at run time,
# and Qt's Chinese texts for the standard dialogs.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# The Wayland platform plugin, for sessions without XWayland.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-wayland")

set(CPACK_DEBIAN_SERVICE_PACKAGE_NAME tarvelo-service)
set(CPACK_DEBIAN_SERVICE_DESCRIPTION "Customs data SOAP service for the Tarvelo desktop program
Answers the desktop program's searches for tariff lines, commodity codes,
export rebates and laws and policies, serves the detail pages and the news
lists, and imports official data; runs as replicas behind nginx.")
# OpenCC is found by the library scan, and named all the same: its package
# brings the conversion tables the service opens at run time.
set(CPACK_DEBIAN_SERVICE_PACKAGE_DEPENDS "libopencc1.1")
set(CPACK_DEBIAN_SERVICE_PACKAGE_SUGGESTS "nginx-light | nginx")

set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
