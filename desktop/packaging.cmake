# `make package`: a Debian package of everything installed. Library dependencies come from the
# binaries (dpkg-shlibdeps); the fonts, Qt's Japanese translations, its display plugins and the
# label-sheet database are loaded at run time and so named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zulname)
set(CPACK_PACKAGE_VENDOR "ZUL Name Card")
set(CPACK_PACKAGE_CONTACT "ZUL Name Card developers <zulname@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design and print name tags and card-sized labels")
set(CPACK_PACKAGE_DESCRIPTION "ZUL Name Card (名札印刷) designs and prints name tags for events, schools and
organisations: tags filed in cabinets, one card per person, several tags on a sheet.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-noto-cjk, unicode-data, qt6-translations-l10n, qt6-qpa-plugins, glabels-data")
include(CPack)
