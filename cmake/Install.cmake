# What `cmake --install` puts on the system, and the Debian package that CPack makes of it.
#
#   bin/vireldo567                                      the program
#   lib/<multiarch>/vireldo567/libvireldo_sheet.so      its build sheet's drawing and output, which
#                                                       it loads when a sheet is asked for
#   share/applications/vireldo567.desktop               its menu entry
#   share/metainfo/example.vireldo.vireldo567.metainfo.xml   its description for software centres
#   share/icons/hicolor/scalable/apps/vireldo567.svg    its icon, and the same drawn at 16 to 256
#   share/icons/hicolor/NxN/apps/vireldo567.png         pixels while building
#   share/man/man1/vireldo567.1.gz                      its manual page, in French like the program
#   share/doc/vireldo567/copyright, changelog.gz        its licence and its Debian changelog
#
# The names follow the desktop file name that the program announces to the desktop
# (QGuiApplication::desktopFileName, "vireldo567"), so that its windows are matched to the entry;
# the metainfo file alone is named after its AppStream id.

include(GNUInstallDirs)

# The program uses the system's Qt only; no search path of its own (qt_standard_project_setup
# would give it one relative to bin/, which a package under /usr does not want).
set_target_properties(vireldo567 vireldo_sheet PROPERTIES INSTALL_RPATH "")
install(TARGETS vireldo567 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A library that nothing links: not executable, as Debian's dh_fixperms leaves shared objects.
install(TARGETS vireldo_sheet LIBRARY DESTINATION ${VIRELDO_SHEET_MODULE_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# Stripping (CPack strips the package) also drops the sections that only name the compiler, as
# Debian's dh_strip does.
foreach(installed ${CMAKE_INSTALL_BINDIR}/vireldo567
                  ${VIRELDO_SHEET_MODULE_DIR}/$<TARGET_FILE_NAME:vireldo_sheet>)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(
        COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${installed}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/vireldo567.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/assets/example.vireldo.vireldo567.metainfo.xml
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

# The manual page and the changelog are installed compressed, as Debian wants, without a name or a
# time in the gzip header so that the same sources give the same package.
set(vireldo_compressed ${PROJECT_BINARY_DIR}/compressed)
set(vireldo_compressed_files)
foreach(source debian/vireldo567.1 debian/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(
    OUTPUT ${vireldo_compressed}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${vireldo_compressed}/${name}
    COMMAND gzip -9nf ${vireldo_compressed}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    COMMENT "Compressing ${source}"
    VERBATIM)
  list(APPEND vireldo_compressed_files ${vireldo_compressed}/${name}.gz)
endforeach()
add_custom_target(vireldo_documents ALL DEPENDS ${vireldo_compressed_files})
install(FILES ${vireldo_compressed}/vireldo567.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(vireldo_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vireldo567)
# A package made by its own authors (no Debian revision) keeps its Debian changelog as changelog.gz.
install(FILES ${vireldo_compressed}/changelog.gz DESTINATION ${vireldo_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright DESTINATION ${vireldo_doc_dir})

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
montage avec les valeurs choisies. La fiche de montage (schéma, résultats,
liste des composants) s'imprime ou s'enregistre en PDF.

Vireldo 567 works out the centre frequency and the capture range of an
NE567 tone decoder from R1, C1, C2 and the supply voltage, chosen from
the E24 series of preferred values. A second window shows the circuit
diagram with the chosen values. A build sheet of the design (diagram,
results, parts list) is printed or saved as PDF. Its windows are in French.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${VIRELDO_VERSION_TEXT})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from the binaries (dpkg-shlibdeps): Qt Print Support (with its CUPS plugin,
# which its package carries) and Qt SVG for the build sheet's module, and GMP for the component
# search among them. What the program loads at run time, out of the linker's sight, is named here:
# the SVG image plugin that draws the circuit diagram (libqt6svg6), Wine's free Tahoma that the
# windows are laid out in (fonts-wine: without it the unit names and the supply-voltage caption
# are cut), and Qt's French texts (qt6-translations-l10n: without it the context menu of the
# resistor box is in English). Depending on Debian's packages, rather than copying the font and the
# translation into the program, leaves their updates to them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4), fonts-wine, qt6-translations-l10n")

include(CPack)
