# Install rules and the Debian package. The programs live together in lib/zkedit32 because
# each finds its companions in its own directory (the print library, the compiler plug-in,
# "ZIRE.CFG", the loader, the shipped defaults); bin/ holds relative links to them, which the
# programs resolve back to that directory.
set(ZK_PROGRAM_DIR lib/zkedit32)
set(ZK_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

set(ZK_INSTALLED_PROGRAMS "")
foreach(program zkedit32 velwcomp krladwin32 velhost defasm termsim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${ZK_PROGRAM_DIR})
    list(APPEND ZK_INSTALLED_PROGRAMS ${program})
  endif()
endforeach()
# The editor's window program, which zkedit32 starts; users do not call it by name.
if(TARGET zkedit32-ui)
  install(TARGETS zkedit32-ui RUNTIME DESTINATION ${ZK_PROGRAM_DIR})
endif()
# ZKPrint.DLL installs itself (printlib) into the same directory.
if(TARGET velcomp)
  install(TARGETS velcomp LIBRARY DESTINATION ${ZK_PROGRAM_DIR})
endif()

# Defaults the programs read beside themselves until the user has own copies under
# $XDG_CONFIG_HOME/zkedit32; the samples also go to share/ for the user to copy from.
install(FILES ${PROJECT_SOURCE_DIR}/samples/ZKColors.Ini ${PROJECT_SOURCE_DIR}/samples/vel/ZIRE.CFG
        DESTINATION ${ZK_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/samples/README.md ${PROJECT_SOURCE_DIR}/samples/ZKColors.Ini
        DESTINATION share/zkedit32/samples)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/vel DESTINATION share/zkedit32/samples)

# The user guide, beside the programs where the help commands look for it.
install(DIRECTORY ${ZK_PACKAGING_DIR}/help DESTINATION ${ZK_PROGRAM_DIR})

# Relative links, so that the same tree works under any prefix and in the package.
foreach(program ${ZK_INSTALLED_PROGRAMS})
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(REMOVE \"\${bin}/${program}\")
    file(CREATE_LINK \"../${ZK_PROGRAM_DIR}/${program}\" \"\${bin}/${program}\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/${program} -> ../${ZK_PROGRAM_DIR}/${program}\")")
endforeach()

# Desktop integration.
install(FILES ${ZK_PACKAGING_DIR}/applications/zkedit32.desktop
              ${ZK_PACKAGING_DIR}/applications/velwcomp.desktop
              ${ZK_PACKAGING_DIR}/applications/velhost.desktop
        DESTINATION share/applications)
install(FILES ${ZK_PACKAGING_DIR}/mime/zkedit32.xml DESTINATION share/mime/packages)
foreach(icon zkedit32 velwcomp)
  install(FILES ${ZK_PACKAGING_DIR}/icons/${icon}.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 256)
    install(FILES ${ZK_PACKAGING_DIR}/icons/${icon}-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${icon}.png)
  endforeach()
endforeach()
file(GLOB ZK_MAN_PAGES ${ZK_PACKAGING_DIR}/man/*.1)
install(FILES ${ZK_MAN_PAGES} DESTINATION share/man/man1)

# cpack -G DEB in the build folder makes the package; its library dependencies are read
# from the installed programs (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME zkedit32)
set(CPACK_PACKAGE_VENDOR "Z&K Quellwerk")
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programmierer-Editor mit VEL-Compiler und seriellem Lader")
set(CPACK_PACKAGE_DESCRIPTION "Editor fuer Quelltexte mit Hex-Ansicht, Vergleich, Suche in \
Dateien und Druck, Compiler fuer die Bedienterminal-Sprache VEL und Lader fuer die serielle \
Schnittstelle.")
set(CPACK_PACKAGE_CONTACT "Z&K Quellwerk <zkedit32@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's German texts for its file and print dialogs (English without them).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# The build keeps its debugging information; the package does not need it.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB)
include(CPack)
