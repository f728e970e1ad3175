# What `cmake --install` puts where (GNUInstallDirs, so CMAKE_INSTALL_PREFIX and DESTDIR are
# honoured), and the files made at build time for it: the manual page from the program's own
# usage text, the icon's PNG sizes, the demonstration template.
set(SCRIVORA_DATADIR ${CMAKE_INSTALL_DATADIR}/scrivora)
set(DESKTOP_SOURCE ${CMAKE_SOURCE_DIR}/data/desktop)
set(GENERATED ${CMAKE_BINARY_DIR}/install-files)
set(METAINFO_ID org.scrivora.Scrivora)

install(TARGETS scrivora scrivora-demodata RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The help file keeps the name the program looks for.
install(FILES ${CMAKE_SOURCE_DIR}/docs/manual.html DESTINATION ${SCRIVORA_DATADIR}
        RENAME vavavadud.chm)

# The manual page: `scrivora --man-page` writes it from the text --help prints.
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${GENERATED}/scrivora.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GENERATED}
  COMMAND sh -c "\"$1\" --man-page | \"$2\" -n -9 > \"$3\"" man-page
          $<TARGET_FILE:scrivora> ${GZIP_PROGRAM} ${GENERATED}/scrivora.1.gz
  DEPENDS scrivora
  COMMENT "Writing the manual page scrivora(1)" VERBATIM)

# The demonstration template, as scrivora-demodata writes it into a practice's Documents.
set(DEMO_PRACTICE ${GENERATED}/demo-practice)
add_custom_command(OUTPUT ${GENERATED}/demo-template.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${DEMO_PRACTICE}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:scrivora-demodata> ${DEMO_PRACTICE} 1
  COMMAND ${CMAKE_COMMAND} -E touch ${GENERATED}/demo-template.stamp
  DEPENDS scrivora-demodata
  COMMENT "Writing the demonstration template" VERBATIM)

# The Debian changelog a native package carries, compressed as policy asks.
configure_file(${DESKTOP_SOURCE}/changelog.in ${GENERATED}/changelog @ONLY)
add_custom_command(OUTPUT ${GENERATED}/changelog.gz
  COMMAND sh -c "\"$1\" -n -9 -c \"$2\" > \"$3\"" changelog
          ${GZIP_PROGRAM} ${GENERATED}/changelog ${GENERATED}/changelog.gz
  DEPENDS ${GENERATED}/changelog VERBATIM)

add_custom_command(OUTPUT ${GENERATED}/scrivora-demodata.1.gz
  COMMAND sh -c "\"$1\" -n -9 -c \"$2\" > \"$3\"" demodata-man-page
          ${GZIP_PROGRAM} ${DESKTOP_SOURCE}/scrivora-demodata.1 ${GENERATED}/scrivora-demodata.1.gz
  DEPENDS ${DESKTOP_SOURCE}/scrivora-demodata.1 VERBATIM)

set(INSTALL_FILE_OUTPUTS ${GENERATED}/scrivora.1.gz ${GENERATED}/scrivora-demodata.1.gz
    ${GENERATED}/demo-template.stamp ${GENERATED}/changelog.gz)

# The icon's fixed sizes, rendered from the scalable one.
set(ICON_SIZES 48 128 256)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  foreach(size ${ICON_SIZES})
    add_custom_command(OUTPUT ${GENERATED}/icons/${size}/scrivora.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${GENERATED}/icons/${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${GENERATED}/icons/${size}/scrivora.png
              ${DESKTOP_SOURCE}/scrivora.svg
      DEPENDS ${DESKTOP_SOURCE}/scrivora.svg VERBATIM)
    list(APPEND INSTALL_FILE_OUTPUTS ${GENERATED}/icons/${size}/scrivora.png)
    install(FILES ${GENERATED}/icons/${size}/scrivora.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert not found (Debian: librsvg2-bin): the PNG icons are not installed")
endif()

add_custom_target(install-files ALL DEPENDS ${INSTALL_FILE_OUTPUTS})

install(FILES "${DEMO_PRACTICE}/Documents/Referral Letter.tx" DESTINATION ${SCRIVORA_DATADIR})
install(FILES ${GENERATED}/scrivora.1.gz ${GENERATED}/scrivora-demodata.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${DESKTOP_SOURCE}/scrivora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DESKTOP_SOURCE}/scrivora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${DESKTOP_SOURCE}/scrivora-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME scrivora.xml)
configure_file(${DESKTOP_SOURCE}/${METAINFO_ID}.metainfo.xml ${GENERATED}/${METAINFO_ID}.metainfo.xml @ONLY)
install(FILES ${GENERATED}/${METAINFO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${DESKTOP_SOURCE}/copyright ${GENERATED}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scrivora)
