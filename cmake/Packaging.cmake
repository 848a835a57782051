# Desktop integration (menu entry, icon, AppStream data) and the Debian package.
#
#   cmake --install build --prefix /usr/local     installs the program and its desktop files
#   cd build && cpack -G DEB                      makes pluvana_<version>_<arch>.deb
#
# Every path here is relative to the install prefix (GNUInstallDirs), so the same code serves
# any prefix and any platform; the freedesktop.org files are only installed where a desktop
# reads them.

set(PLUVANA_APP_ID "nl.pluvana.Pluvana")
set(PLUVANA_HOMEPAGE "https://pluvana.nl" CACHE STRING "Pluvana's web site, named in the package data")
set(PLUVANA_MAINTAINER "Pluvana-ontwikkelaars <ontwikkelaars@pluvana.nl>"
    CACHE STRING "Maintainer named in the Debian package")
# The day the current PROJECT_VERSION was released; change it together with the version.
set(PLUVANA_RELEASE_DATE "2026-12-10")

set(pluvana_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(pluvana_icon_svg ${PROJECT_SOURCE_DIR}/ui/pictures/importeer.svg)
set(PLUVANA_ICON_SIZES 16 32 48 64 128)

if(TARGET pluvana-lijst)
    install(TARGETS pluvana-lijst RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(UNIX AND NOT APPLE)
    install(FILES ${pluvana_packaging_dir}/${PLUVANA_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)

    configure_file(${pluvana_packaging_dir}/${PLUVANA_APP_ID}.metainfo.xml.in
                   ${PROJECT_BINARY_DIR}/packaging/${PLUVANA_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/${PLUVANA_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

    # The icon is the import picture: as drawn, and rendered at the sizes menus and task bars
    # use, by a small tool of our own so the build needs nothing beyond Qt.
    install(FILES ${pluvana_icon_svg} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
            RENAME ${PLUVANA_APP_ID}.svg)

    if(NOT CMAKE_CROSSCOMPILING)
        add_executable(pluvana-svgtopng ${pluvana_packaging_dir}/svgtopng.cpp)
        target_link_libraries(pluvana-svgtopng PRIVATE Qt6::Gui Qt6::Svg)
        set(icon_pngs)
        foreach(size IN LISTS PLUVANA_ICON_SIZES)
            set(png ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}/${PLUVANA_APP_ID}.png)
            add_custom_command(OUTPUT ${png}
                               COMMAND pluvana-svgtopng ${pluvana_icon_svg} ${png} ${size}
                               DEPENDS pluvana-svgtopng ${pluvana_icon_svg}
                               COMMENT "Rendering the ${size}x${size} icon" VERBATIM)
            list(APPEND icon_pngs ${png})
            install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
        endforeach()
        add_custom_target(pluvana_icons ALL DEPENDS ${icon_pngs})
    else()
        message(STATUS "Cross-compiling: the PNG icons are not made; the SVG icon is installed")
    endif()
endif()

# The Debian package. Qt's own libraries are named by their Debian 12 package names; the shared
# libraries of the C++ runtime are found by dpkg-shlibdeps when it is there.
set(CPACK_PACKAGE_NAME pluvana)
set(CPACK_PACKAGE_VENDOR "Pluvana")
set(CPACK_PACKAGE_CONTACT "${PLUVANA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Pluvana maakt van een CSV-bestand uit de leerlingenadministratie een leerlingenlijst: een\n\
tekstbestand met één leerlingnaam per regel, dat de leerkracht bewaart in de map met\n\
klassenlijsten. Het programma is Nederlandstalig.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PLUVANA_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PLUVANA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(pluvana_qt_min "${Qt6_VERSION_MAJOR}.${Qt6_VERSION_MINOR}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= ${pluvana_qt_min}), libqt6gui6 (>= ${pluvana_qt_min}), \
libqt6widgets6 (>= ${pluvana_qt_min}), libqt6svg6 (>= ${pluvana_qt_min}), qt6-qpa-plugins, \
qt6-translations-l10n, fonts-liberation2")
# The grid's Tahoma comes from Wine's fonts when they are there; a clean sans stands in otherwise.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
find_program(PLUVANA_DPKG_SHLIBDEPS dpkg-shlibdeps)
mark_as_advanced(PLUVANA_DPKG_SHLIBDEPS)
if(PLUVANA_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
