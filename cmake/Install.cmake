# What `cmake --install` and the Debian package put beside the two programs: the licence, the
# manual pages, the shell completion and, with the window, its desktop metadata.

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The project's public page, named by the AppStream metainfo and the package.
set(KORVANE_PROJECT_URL "https://korvane.org/" CACHE STRING "The project's public page")

# The manual pages name the version and the manual's installed place.
set(KORVANE_VERSION ${PROJECT_VERSION})
set(KORVANE_MANUAL_INSTALL_DIR ${CMAKE_INSTALL_FULL_DOCDIR}/manual)
foreach(page korvane-cli.1 korvane.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page} ${CMAKE_BINARY_DIR}/man/${page} @ONLY)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/man/korvane-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# bash-completion looks in share/bash-completion/completions under every folder of
# XDG_DATA_DIRS, so the prefix's own folder serves /usr and /usr/local alike; with the prefix
# /usr it is the folder `pkg-config --variable=completionsdir bash-completion` names.
install(FILES ${PROJECT_SOURCE_DIR}/resources/completion/korvane-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

if(KORVANE_BUILD_GUI)
    install(FILES ${CMAKE_BINARY_DIR}/man/korvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # Where software centres fetch the screenshot from.
    set(KORVANE_SCREENSHOT_URL "https://korvane.org/screenshot.png" CACHE STRING
        "The public address of docs/screenshot.png, named by the AppStream metainfo")
    configure_file(${PROJECT_SOURCE_DIR}/resources/korvane.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/org.korvane.korvane.metainfo.xml @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/org.korvane.korvane.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
