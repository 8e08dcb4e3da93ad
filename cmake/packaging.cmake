# Installed layout and the Debian package.
#
# The program finds its shared data in ../share/spinalyst relative to its own directory, so
# the two destinations are fixed rather than taken from GNUInstallDirs.
set(SPINALYST_INSTALL_BIN_DIR bin)
set(SPINALYST_INSTALL_DATA_DIR share/spinalyst)
# The user manual (HTML, one folder per language) is installed from here once it exists.
set(SPINALYST_MANUAL_DIR ${CMAKE_SOURCE_DIR}/docs/manual
    CACHE PATH "Folder of the user manual installed under share/spinalyst/manual")

install(TARGETS spinalyst-cli RUNTIME DESTINATION ${SPINALYST_INSTALL_BIN_DIR})
install(FILES ${SPINALYST_DATA_FILES} DESTINATION ${SPINALYST_INSTALL_DATA_DIR})
install(FILES ${SPINALYST_SYSTEM_FILES} DESTINATION ${SPINALYST_INSTALL_DATA_DIR}/systems)
install(DIRECTORY ${SPINALYST_MANUAL_DIR}/ DESTINATION ${SPINALYST_INSTALL_DATA_DIR}/manual
        OPTIONAL)
if(SPINALYST_WITH_UI)
    install(TARGETS spinalyst RUNTIME DESTINATION ${SPINALYST_INSTALL_BIN_DIR})
    install(FILES ${CMAKE_SOURCE_DIR}/data/spinalyst.desktop DESTINATION share/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/data/spinalyst.svg
            DESTINATION share/icons/hicolor/scalable/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME spinalyst)
set(CPACK_PACKAGE_VENDOR "Spinalyst")
set(CPACK_PACKAGE_CONTACT "Spinalyst developers <spinalyst@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Records the pockets a roulette wheel produces and computes statistics over a
chosen range of draws for every family of bets, with a betting simulator on play
money. American, French and no-zero wheels; English and French texts.
spinalyst-cli runs the same analysis on spin files from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Depends come from the libraries the binaries link (libqt6widgets6, libqt6charts6, ...),
# with the versions dpkg-shlibdeps knows they need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts in French: the file dialogs and standard buttons of the French program.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
include(CPack)
