# The installed layout and the Debian package (cpack -G DEB): the programs in /usr/bin, their data in
# /usr/share/velostra (where PlikProgramu looks when nothing lies beside the executable), and the desktop
# integration: launcher, AppStream data, icons, file types, manual pages and bash completion.

# Sanitizer and fuzzing builds are for finding faults, not for installing (and their tools, run at build
# time, would stop the build on a leak report).
if(VELOSTRA_SANITIZE OR VELOSTRA_FUZZ)
  return()
endif()
include(GNUInstallDirs)

set(pulpit ${PROJECT_SOURCE_DIR}/data/pulpit)
set(wygenerowane ${CMAKE_BINARY_DIR}/pulpit)
set(dane_programu ${CMAKE_INSTALL_DATADIR}/velostra)

# The office's libraries carry their own run path (LibreOfficeUno.cmake); the one CMake would add for the
# build tree comes after it, where installing cannot take it out again.
set_target_properties(velostra velostra-cli PROPERTIES SKIP_BUILD_RPATH ON)
install(TARGETS velostra velostra-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/kodyCpv.csv ${CMAKE_BINARY_DIR}/bin/kodyJednostek.csv
        DESTINATION ${dane_programu})
if(TARGET velostra_archiwum_pierwszego)
  install(FILES ${CMAKE_BINARY_DIR}/bin/Velostra.zip DESTINATION ${dane_programu})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/pomoc DESTINATION ${dane_programu})

install(FILES ${pulpit}/velostra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pulpit}/pl.velostra.Velostra.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${pulpit}/velostra.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${pulpit}/velostra.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Bitmap icons drawn from the one SVG at build time.
set(pliki_pulpitu)
find_program(VELOSTRA_RSVG_CONVERT rsvg-convert)
if(VELOSTRA_RSVG_CONVERT)
  foreach(rozmiar 16 32 48 64 128 256)
    set(ikona ${wygenerowane}/ikony/${rozmiar}x${rozmiar}/velostra.png)
    add_custom_command(OUTPUT ${ikona}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${wygenerowane}/ikony/${rozmiar}x${rozmiar}
                       COMMAND ${VELOSTRA_RSVG_CONVERT} -w ${rozmiar} -h ${rozmiar} -o ${ikona} ${pulpit}/velostra.svg
                       DEPENDS ${pulpit}/velostra.svg
                       VERBATIM)
    list(APPEND pliki_pulpitu ${ikona})
    install(FILES ${ikona} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${rozmiar}x${rozmiar}/apps)
  endforeach()
else()
  message(STATUS "Brak rsvg-convert (pakiet librsvg2-bin): pakiet będzie miał tylko ikonę SVG.")
endif()

# velostra-cli's manual page and completion come from the commands' own help (velostra-pomoc-cli).
set(strona_cli ${wygenerowane}/velostra-cli.1)
set(uzupelnianie_cli ${wygenerowane}/velostra-cli.bash)
add_custom_command(OUTPUT ${strona_cli}
                   COMMAND velostra-pomoc-cli strona ${strona_cli}
                   DEPENDS velostra-pomoc-cli
                   VERBATIM)
add_custom_command(OUTPUT ${uzupelnianie_cli}
                   COMMAND velostra-pomoc-cli uzupelnianie ${uzupelnianie_cli}
                   DEPENDS velostra-pomoc-cli
                   VERBATIM)
list(APPEND pliki_pulpitu ${strona_cli} ${uzupelnianie_cli})
foreach(strona ${pulpit}/velostra.1 ${strona_cli})
  get_filename_component(nazwa ${strona} NAME)
  set(spakowana ${wygenerowane}/${nazwa}.gz)
  # -n: no name and time stamp inside, so that the same page always packs to the same bytes.
  add_custom_command(OUTPUT ${spakowana}
                     COMMAND gzip -9 -n -c ${strona} > ${spakowana}
                     DEPENDS ${strona})
  list(APPEND pliki_pulpitu ${spakowana})
  install(FILES ${spakowana} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${uzupelnianie_cli} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME velostra-cli)
add_custom_target(velostra_pulpit ALL DEPENDS ${pliki_pulpitu})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velostra)
set(CPACK_PACKAGE_VENDOR Velostra)
set(CPACK_PACKAGE_CONTACT "Velostra <velostra@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "specyfikacje techniczne do kosztorysów budowlanych")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The summary above is the first line; CPack indents these lines and marks the empty one as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velostra dopasowuje pozycje kosztorysów budowlanych do specyfikacji
technicznych, prowadzi zestawy kosztorysów z listą specyfikacji, scala
dokumenty specyfikacji w jeden dokument (.doc, .docx, .odt, .pdf) przez
niewidoczny LibreOffice Writer, eksportuje kosztorysy do arkusza oraz
pakuje zestawy i listy do archiwów.

Pakiet zawiera okno programu (velostra) i narzędzie wiersza poleceń
(velostra-cli).")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries of the binaries come from dpkg-shlibdeps; the documents need LibreOffice Writer (run, not
# linked, apart from its UNO libraries), fonts metric-compatible with Word's so that pages break as in
# Word, and Qt's own Polish texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libreoffice-writer-nogui | libreoffice-writer, fonts-liberation2, fonts-crosextra-carlito, fonts-crosextra-caladea, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)

if(VELOSTRA_TESTS)
  # The package built, checked and run from a folder of its own; the manual page and --help compared.
  add_test(NAME pakiet.deb COMMAND ${PROJECT_SOURCE_DIR}/tests/pakiet/sprawdz_pakiet.sh ${CMAKE_BINARY_DIR}
                                   ${PROJECT_SOURCE_DIR})
  add_test(NAME pakiet.podrecznik
           COMMAND python3 ${PROJECT_SOURCE_DIR}/tests/pakiet/sprawdz_podrecznik.py $<TARGET_FILE:velostra-cli>
                   ${strona_cli} ${PROJECT_SOURCE_DIR}/src/cli)
  set_tests_properties(pakiet.deb PROPERTIES LABELS pakiet TIMEOUT 300 RESOURCE_LOCK pakiet_deb)
  set_tests_properties(pakiet.podrecznik PROPERTIES LABELS pakiet TIMEOUT 60)
endif()
