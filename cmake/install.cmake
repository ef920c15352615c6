# Install rules and the Debian package. The layout under the prefix:
#   bin/molvane3d, bin/molvane3d-cli
#   share/molvane3d/      the data that comes with the program (nmr/, help/)
#   share/applications, share/icons/hicolor, share/mime/packages,
#   share/metainfo        the desktop's menu entry, icon and file types
#   share/man/man1        the manual pages
#   lib/python3/dist-packages/molvane   the Python package (src/python)
include(GNUInstallDirs)

set(molvane_data "${CMAKE_INSTALL_DATADIR}/molvane3d")

install(TARGETS molvane3d molvane3d-cli
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/nmr"
        DESTINATION "${molvane_data}")
# The window shows its help from its resources; the same pages are kept
# beside the data to be read in a browser.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/src/app/help/"
        DESTINATION "${molvane_data}/help" FILES_MATCHING PATTERN "*.html")

install(FILES "${PROJECT_SOURCE_DIR}/data/desktop/${MOLVANE_APP_ID}.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/data/mime/${MOLVANE_APP_ID}.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
configure_file("${PROJECT_SOURCE_DIR}/data/metainfo/${MOLVANE_APP_ID}.metainfo.xml"
               "${PROJECT_BINARY_DIR}/${MOLVANE_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/${MOLVANE_APP_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

set(molvane_icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor")
install(FILES "${PROJECT_SOURCE_DIR}/data/icons/${MOLVANE_APP_ID}.svg"
        DESTINATION "${molvane_icons}/scalable/apps")
foreach(size IN ITEMS 16 32 48 64 128 256)
  install(FILES "${PROJECT_SOURCE_DIR}/data/icons/${MOLVANE_APP_ID}-${size}.png"
          DESTINATION "${molvane_icons}/${size}x${size}/apps"
          RENAME "${MOLVANE_APP_ID}.png")
endforeach()

install(FILES "${PROJECT_SOURCE_DIR}/docs/man/molvane3d.1"
              "${PROJECT_SOURCE_DIR}/docs/man/molvane3d-cli.1"
        DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# cpack -G DEB in the build folder. The libraries the executables link
# (Qt, JPEG, pugixml and whatever else) become dependencies through
# dpkg-shlibdeps (the X11 platform plugin comes with the Qt GUI library);
# what the window only loads at run time is named.
set(CPACK_PACKAGE_NAME "molvane3d")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Molvane 3D developers")
set(CPACK_PACKAGE_CONTACT "Molvane 3D developers <molvane3d@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chemistry drawing and modelling")
set(CPACK_PACKAGE_DESCRIPTION
    "Draws molecules and reactions, builds them in 3D, relaxes them in a force
field, predicts NMR shifts and balances reactions; with a command-line tool
that does the same without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, shared-mime-info, desktop-file-utils, fonts-dejavu-core")
# The Python package rides in the same package: it is one small module over
# the same core, and an extension module links no Python library, so the
# interpreter and NumPy (for coordinates) are only recommended.
if(MOLVANE_PYTHON)
  string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", python3, python3-numpy")
endif()
include(CPack)
