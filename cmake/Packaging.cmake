# `make package`: a Debian package of what the install rules put in place. The libraries it
# needs come from dpkg-shlibdeps; what the program loads at run time (the spelling
# dictionary, the SQL drivers for the practice database, the SVG icon engine) is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scrivora)
set(CPACK_PACKAGE_VENDOR "Scrivora developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Scrivora developers <developers@scrivora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word processor for the letters and forms of a medical practice")
set(CPACK_PACKAGE_DESCRIPTION
  "Scrivora writes the letters, referrals and forms of a medical practice.
Templates hold fields filled from the practice's patient database (SQLite,
PostgreSQL or ODBC), one letter for each patient or all of them merged into
one document.
.
It opens and saves Rich Text, Word (.doc and .docx), HTML and plain text
documents, prints with a preview and checks the spelling.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://scrivora.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The readers build documents through Qt's own piece table, whose interface holds for one
# release of Qt only: the package needs the release it was built with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hunspell-en-us, libqt6sql6-sqlite, libqt6svg6, qt6-base-abi (= ${Qt6Core_VERSION})")
# The fonts metric-compatible with Word's (Times New Roman, Arial, Courier New, Calibri,
# Cambria), so that other programs' documents keep their lines and pages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libqt6sql6-psql, libqt6sql6-odbc, fonts-liberation, fonts-crosextra-carlito, fonts-crosextra-caladea")
include(CPack)

# The package built, unpacked and installed into a temporary root, then checked: it runs,
# its desktop entry, metainfo and the package itself validate.
add_test(NAME package_install COMMAND ${CMAKE_SOURCE_DIR}/scripts/test-package ${CMAKE_BINARY_DIR})
set_tests_properties(package_install PROPERTIES TIMEOUT 600)
