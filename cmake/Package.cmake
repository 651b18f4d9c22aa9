# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB --config build/CPackConfig.cmake` packs the installed tree of
# an existing build into powerdeck_<version>_<arch>.deb. Library dependencies come from
# dpkg-shlibdeps; what Qt loads only at run time (QML modules, the platform plugins, the SVG
# image plugin) and the fonts the screens name are listed here. The icon cache and the desktop
# database are refreshed by the dpkg triggers of hicolor-icon-theme and desktop-file-utils, so
# the package needs no maintainer scripts of its own.
# cpack and `cmake --install` take the build as it is (the test command has just built it)
# instead of building every target first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(POWERDECK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/powerdeck)
set(changelog_gz ${CMAKE_BINARY_DIR}/share/doc/powerdeck/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share/doc/powerdeck
  COMMAND sh -c "gzip -9n < '${PROJECT_SOURCE_DIR}/resources/debian/changelog' > '${changelog_gz}'"
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/debian/changelog
  VERBATIM)
add_custom_target(powerdeck_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${changelog_gz}
        DESTINATION ${POWERDECK_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME powerdeck)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Powerdeck developers <powerdeck@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/powerdeck/powerdeck)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# qt6-wayland is the Wayland platform plugin: without it Qt falls back to XWayland, or does not
# start at all where the compositor has none (Phosh, Plasma Mobile and Sway sessions on phones).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-wayland, libqt6svg6, qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtqml, qml6-module-qtqml-workerscript, qml6-module-qtquick-templates, qml6-module-qtquick-controls, qml6-module-qtquick-shapes, qml6-module-qtpositioning, fonts-roboto, fonts-dseg, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libnotify-bin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "battery watcher with charge estimates, alerts and an alarm clock")
# The long description; cpack puts the summary above it and indents every line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Powerdeck is a touch application for Linux phones, tablets and laptops. It
watches the battery, estimates how long the charge lasts in eighteen
activities, warns before the battery runs empty and when charging completes,
follows a charge through its stages, keeps a calendar of charge events, offers
an alarm clock with a five-day forecast and shows the device's own figures
(CPU, processes, memory, disk, network and a battery-health verdict).

The powerdeck-cli program prints the same figures in a terminal, as JSON, or
as a feed for status bars such as waybar, i3blocks and polybar.")
include(CPack)
