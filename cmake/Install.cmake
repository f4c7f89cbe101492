# What `cmake --install` puts on the system, and the Debian package that CPack makes of it.
#
#   bin/vireldo567                                      the program
#   share/applications/vireldo567.desktop               its menu entry
#   share/metainfo/vireldo567.metainfo.xml              its description for software centres
#   share/icons/hicolor/scalable/apps/vireldo567.svg    its icon, and the same drawn at 16, 32,
#   share/icons/hicolor/NxN/apps/vireldo567.png         48 and 128 pixels while building
#
# The names follow the desktop file name that the program announces to the desktop
# (QGuiApplication::desktopFileName, "vireldo567"), so that its windows are matched to the entry.

include(GNUInstallDirs)

# The program uses the system's Qt only; no search path of its own (qt_standard_project_setup
# would give it one relative to bin/, which a package under /usr does not want).
set_target_properties(vireldo567 PROPERTIES INSTALL_RPATH "")
install(TARGETS vireldo567 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/assets/vireldo567.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/vireldo567.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(vireldo_icon_theme ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${PROJECT_SOURCE_DIR}/assets/icon.svg
        DESTINATION ${vireldo_icon_theme}/scalable/apps
        RENAME vireldo567.svg)
get_target_property(vireldo_icon_images vireldo_icons VIRELDO_ICON_THEME_DIR)
get_target_property(vireldo_icon_sizes vireldo_icons VIRELDO_ICON_SIZES)
foreach(size IN LISTS vireldo_icon_sizes)
  install(FILES ${vireldo_icon_images}/${size}x${size}/apps/vireldo567.png
          DESTINATION ${vireldo_icon_theme}/${size}x${size}/apps)
endforeach()

# The Debian package: `cpack` in the build folder (scripts/package does it for the release build).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vireldo567)
set(CPACK_PACKAGE_VENDOR "Vireldo")
set(CPACK_PACKAGE_CONTACT "Vireldo <contact@vireldo.example>")
set(CPACK_PACKAGE_VERSION ${VIRELDO_VERSION_TEXT})
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.vireldo.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "calculateur de décodeur de tonalité NE567 / NE567 tone decoder calculator")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vireldo 567 calcule la fréquence centrale et la plage de capture d'un
décodeur de tonalité à NE567 à partir de la résistance R1, des
condensateurs C1 et C2 et de la tension d'alimentation, choisis dans la
série E24 de valeurs normalisées. Une seconde fenêtre montre le schéma du
montage avec les valeurs choisies.

Vireldo 567 works out the centre frequency and the capture range of an
NE567 tone decoder from R1, C1, C2 and the supply voltage, chosen from
the E24 series of preferred values. A second window shows the circuit
diagram with the chosen values. Its windows are in French.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${VIRELDO_VERSION_TEXT})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from the binary (dpkg-shlibdeps). The SVG image and icon plugins that draw the
# circuit diagram and the icon are loaded at run time, out of the linker's sight: libqt6svg6 ships
# them, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4)")
# Wine's free Tahoma is the windows' font when it is there; Qt's French texts name the standard
# buttons of the message boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, qt6-translations-l10n")

include(CPack)
