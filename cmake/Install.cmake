# What `cmake --install` puts where, and the Debian package CPack makes of it.
#
#   bin/                       the programs
#   share/orvella/             what they read at run time and never write (found relative to
#                              the executable: platform/environment.cpp, SharedFilesFolder)
#   share/applications/, share/icons/hicolor/, share/metainfo/, share/man/man1/
#                              the desktop's view of the program
#
# Adding a file later is one line in one of the two lists below.
include(GNUInstallDirs)

# Programs, installed when the target exists (the screen saver and the restart program come
# with their own issues): add the target's name.
set(orvella_installed_programs
    orvella
    orvella-refresh
    orvella-add-to-category
    orvella-screensaver
    orvella-restart
)
foreach(program IN LISTS orvella_installed_programs)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# Run-time files below share/orvella/, as pairs "<source> <folder below share/orvella>".
# A source ending in "/" is a folder, installed with its content. A source that is not there
# at install time is left out, so a line may name a file that a later change adds. Files
# the build makes (language modules) are named in the build folder, ${PROJECT_BINARY_DIR}.
set(orvella_shared_files
    "${PROJECT_SOURCE_DIR}/resources/Icons/StdImage.bmp" "Icons"
    "${PROJECT_SOURCE_DIR}/resources/help/" "help"
    # the English module, for example: "${PROJECT_BINARY_DIR}/src/app/orvella_en.qm" "."
)
set(orvella_shared_dir ${CMAKE_INSTALL_DATADIR}/orvella)
list(LENGTH orvella_shared_files count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET orvella_shared_files ${i} source)
    list(GET orvella_shared_files ${j} folder)
    if(source MATCHES "/$")
        install(DIRECTORY "${source}" DESTINATION ${orvella_shared_dir}/${folder} OPTIONAL)
    else()
        install(FILES "${source}" DESTINATION ${orvella_shared_dir}/${folder} OPTIONAL)
    endif()
endforeach()
# The folder marks an installed copy even before any file of its own lands there.
install(DIRECTORY DESTINATION ${orvella_shared_dir})

# The desktop's view: entry, metadata, man page, icons drawn from one SVG.
set(desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop_dir}/org.orvella.Orvella.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${desktop_dir}/org.orvella.Orvella.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/org.orvella.Orvella.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.orvella.Orvella.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_dir}/orvella.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

find_program(ORVELLA_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ORVELLA_GZIP gzip REQUIRED)
set(icon_outputs)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/orvella.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
        COMMAND ${ORVELLA_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${desktop_dir}/orvella.svg
        DEPENDS ${desktop_dir}/orvella.svg VERBATIM)
    list(APPEND icon_outputs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
set(man_page ${PROJECT_BINARY_DIR}/man/orvella.1.gz)
add_custom_command(OUTPUT ${man_page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "${ORVELLA_GZIP} -9 -n -c '${desktop_dir}/orvella.1' > '${man_page}'"
    DEPENDS ${desktop_dir}/orvella.1 VERBATIM)
add_custom_target(orvella_desktop_files ALL DEPENDS ${icon_outputs} ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(alias orvella-refresh orvella-add-to-category)
    install(CODE "file(CREATE_LINK orvella.1.gz
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1/${alias}.1.gz\" SYMBOLIC)")
endforeach()

# The Debian package: `cpack -G DEB` in the build folder gives orvella_<version>_<arch>.deb,
# its library dependencies computed from the programs by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME orvella)
set(CPACK_PACKAGE_VENDOR "The Orvella developers")
set(CPACK_PACKAGE_CONTACT "The Orvella developers <maintainers@orvella.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop wallpaper manager with categories and a calendar")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvella keeps pictures and HTML pages in up to 30 named categories and makes one of\n"
    "them the wallpaper of the running desktop (GNOME, KDE Plasma, XFCE, sway, X11): the\n"
    "picture the user picks, a random one, at log-in or at a fixed interval, with a month\n"
    "calendar drawn onto it if the user likes.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the programs start or load by name, which dpkg-shlibdeps cannot see: Qt's platform
# plugins, GStreamer's for the change sound, the tools of shell open, print and mail.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, gstreamer1.0-plugins-base")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups-client, swaybg")
include(CPack)
