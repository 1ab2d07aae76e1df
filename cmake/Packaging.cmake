# SPDX-License-Identifier: GPL-3.0-or-later
# What is installed, and the two Debian packages made of it: "cli" holds the
# commands without any window library (for servers and CI), "gui" the window,
# which needs the first.
set(ZORVEK_ID io.github.quenmark.ZorvekMultiEditor)
set(ZORVEK_PACKAGE_cli zorvek-multi-editor-cli)
set(ZORVEK_PACKAGE_gui zorvek-multi-editor)

install(TARGETS zorvek-multi-editor-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
install(TARGETS zorvek-multi-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT gui)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT gui)
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs COMPONENT gui FILES_MATCHING PATTERN "*.png")
install(FILES packaging/${ZORVEK_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT gui)
install(FILES packaging/${ZORVEK_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT gui)
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256 scalable)
  set(ext png)
  set(from packaging/icons/${size})
  if(size STREQUAL "scalable")
    set(ext svg)
    set(from packaging)
  endif()
  install(FILES ${from}/${ZORVEK_ID}.${ext} DESTINATION ${icons}/${size}/apps COMPONENT gui)
  install(FILES ${from}/${ZORVEK_ID}-rom.${ext} DESTINATION ${icons}/${size}/mimetypes COMPONENT gui)
endforeach()
install(FILES packaging/zorvek-multi-editor-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${ZORVEK_ID}.xml COMPONENT gui)
# A package's triggers update the desktop's database; an install by hand does it here.
install(CODE [[
  find_program(ZORVEK_UPDATE_MIME update-mime-database)
  if(ZORVEK_UPDATE_MIME AND "$ENV{DESTDIR}" STREQUAL "")
    execute_process(COMMAND ${ZORVEK_UPDATE_MIME} "${CMAKE_INSTALL_PREFIX}/share/mime" RESULT_VARIABLE ignored
                    OUTPUT_QUIET ERROR_QUIET)
  endif()
]] COMPONENT gui)

find_program(ZORVEK_HELP2MAN help2man)
set(ZORVEK_MAN_NAME_cli "runs the commands of zorvek-multi-editor without a window")
set(ZORVEK_MAN_NAME_gui "edits the monster and character records of a SNES ROM image")
foreach(component cli gui)
  set(program ${ZORVEK_PACKAGE_${component}})
  # bash-completion loads a command's completion by the command's name.
  install(FILES packaging/zorvek-multi-editor.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ${program} COMPONENT ${component})
  # Each package's own copyright and changelog, as Debian asks.
  set(changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/${component}/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog ${changelog}.tmp
    COMMAND gzip -9nc ${changelog}.tmp > ${changelog}
    DEPENDS packaging/changelog)
  install(FILES packaging/copyright ${changelog}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${program} COMPONENT ${component})
  set(outputs ${changelog})

  # The manual pages are made from --help, so they never tell another story.
  if(ZORVEK_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${program}.1)
    add_custom_command(OUTPUT ${page} ${page}.gz
      COMMAND ${ZORVEK_HELP2MAN} --no-info --section=1 --name=${ZORVEK_MAN_NAME_${component}}
              "--version-string=${program} ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_PATCH}"
              --include=${CMAKE_CURRENT_SOURCE_DIR}/packaging/zorvek-multi-editor.h2m
              --output=${page} $<TARGET_FILE:${program}>
      COMMAND gzip -9nkf ${page}
      DEPENDS ${program} packaging/zorvek-multi-editor.h2m
      COMMENT "Writing the manual page of ${program} from --help" VERBATIM)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
    list(APPEND outputs ${page}.gz)
  endif()
  add_custom_target(package-files-${component} ALL DEPENDS ${outputs})
endforeach()
if(NOT ZORVEK_HELP2MAN)
  message(STATUS "help2man not found: no manual pages (scripts/install-deps.sh installs it)")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli gui)
set(CPACK_PACKAGE_CONTACT "Zorvek Multi Editor developers <zorvek@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quenmark.github.io/zorvek-multi-editor/")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME ${ZORVEK_PACKAGE_cli})
set(CPACK_DEBIAN_GUI_PACKAGE_NAME ${ZORVEK_PACKAGE_gui})
set(CPACK_DEBIAN_GUI_PACKAGE_DEPENDS "${ZORVEK_PACKAGE_cli} (= ${PROJECT_VERSION})")
set(about "It works on the cartridge ROM image of the SNES role-playing game
KELVARNTHOSIA 5 as copier devices keep it (.smc, .swc and .fig files, a
512-byte copier header in front of the ROM data), and edits its internal name,
copier header, 256 monster records and four starting characters in place.
Saves can be undone, a journal keeps the image whole through a crash, and the
first save of a session leaves a backup beside the image.")
set(CPACK_DEBIAN_CLI_DESCRIPTION "command-line tools for a SNES game image's records
${about}

This package holds zorvek-multi-editor-cli: image information, tables of
the monsters and characters for spreadsheets and scripts, their import,
the checksum fix, IPS and BPS patches and the copier header. It needs Qt
Core only, no window system.")
set(CPACK_DEBIAN_GUI_DESCRIPTION "editor for the monster and character records of a SNES game image
${about}

This package holds the editor's window, with a desktop entry, icons and the
SNES image file type for .smc, .swc, .fig and .sfc files.")
include(CPack)
