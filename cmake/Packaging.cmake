# What is installed besides the editor (src/editor installs zedro, its desktop entry and
# the MIME type), and the Debian package: `cpack -G DEB` in the build directory packs
# everything the install rules install.

install(TARGETS zedro-cli RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/share/icons/ DESTINATION share/icons)
install(FILES ${CMAKE_SOURCE_DIR}/share/metainfo/de.zedro.zedro.metainfo.xml
        DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/examples/Fahrzeuge.urd ${CMAKE_SOURCE_DIR}/examples/Bank.urd
        DESTINATION share/doc/zedro/examples)

# Manual pages, compressed as Debian keeps them.
set(ZEDRO_MAN_PAGES)
foreach(page zedro zedro-cli)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/share/man/${page}.1
            ${CMAKE_BINARY_DIR}/man/${page}.1
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_SOURCE_DIR}/share/man/${page}.1
    VERBATIM)
  list(APPEND ZEDRO_MAN_PAGES ${compressed})
endforeach()
add_custom_target(zedro_man_pages ALL DEPENDS ${ZEDRO_MAN_PAGES})
install(FILES ${ZEDRO_MAN_PAGES} DESTINATION share/man/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zedro)
set(CPACK_PACKAGE_VENDOR Zedro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zedro <dev@zedro.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "UML-Klassendiagramme für den Informatikunterricht")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "UML-Klassendiagramme für den Informatikunterricht
Zedro ist ein Editor für UML-Klassendiagramme für den Unterricht in
objektorientiertem Modellieren. Klassen werden als Kästen gezeichnet und durch
IST-, HAT- und KENNT-Beziehungen sowie durch Aufträge und Anfragen verbunden.
Aus jeder Klasse erzeugt Zedro eine Pascal-Unit oder eine Java-Klasse, liest
Klassen aus Quelltexten wieder ein und bietet eine Aktualisierung an, wenn sich
eine Quelldatei geändert hat.
.
Zum Paket gehören der Editor zedro und das Befehlszeilenwerkzeug zedro-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps (package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Compilers for the generated code, and PlantUML for the text Zedro writes for it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fpc, default-jdk-headless | java-sdk-headless")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "plantuml")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

if(TARGET zedro)
  # Builds the package, installs it with apt-get, runs both programs and removes it again.
  # Only root can do that (CI runs as root); elsewhere the test is skipped.
  add_test(NAME zedro_debian_package
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/package_check.sh ${CMAKE_BINARY_DIR}
            ${CMAKE_BINARY_DIR}/package_check)
  set_tests_properties(zedro_debian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900
                       RESOURCE_LOCK zedro_install)
endif()
# Manual pages, desktop entry, MIME type and AppStream data as their tools check them.
add_test(NAME zedro_desktop_files_valid
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/share_check.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(zedro_desktop_files_valid PROPERTIES SKIP_RETURN_CODE 77)
