# The Debian package: `cpack -G DEB` in the build folder (`make package`).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellum)
set(CPACK_PACKAGE_VENDOR Tessaline)
set(CPACK_PACKAGE_CONTACT "Tessaline Vellum developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small mail composer that sends through your SMTP server")
set(CPACK_PACKAGE_DESCRIPTION
    "Vellum is a small desktop mail composer for one user: a recipient line, a subject
line and the message body. It attaches files, sends through the SMTP server set
up once (plain SMTP, STARTTLS or implicit TLS, with authentication) and keeps a
copy of every sent message. It opens mailto: links, so it can be the desktop's
mail composer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION mail)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by shlibdeps: Qt's platform plugins, without which
# no window opens (X11, and Wayland for a session without Xwayland); the CA
# store that certificate checks need; xdg-open for the data folder button.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland")
# Recommended: a dictionary to check spelling with, and Qt's own texts in the
# languages the program speaks.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ca-certificates, xdg-utils, hunspell-en-us | hunspell-dictionary | aspell-dictionary, qt6-translations-l10n")
include(CPack)
