# The Debian package (scripts/package): cpack --config build/CPackConfig.cmake
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velotrix)
set(CPACK_PACKAGE_VENDOR "Velotrix Example Works")
set(CPACK_PACKAGE_CONTACT "Lê Văn Thử <thu@velotrix.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Every default component, and the one that holds the Debian changelog.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};velotrix;ALL;/" "${CMAKE_BINARY_DIR};velotrix;debian;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://velotrix.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's faces: Liberation Mono stands in for "Courier New"; Wine's Tahoma is used
# when it is there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-desktop-portal")
# On a Wayland session the program draws through Qt's Wayland plugin, which it does not link.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-wine")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[full-screen test patterns for checking a display
Velotrix fills the whole screen with solid colours, 256-band gradients and
4-pixel black-and-white line grids, so that you can look for dead pixels,
banding and backlight bleed on a new or second-hand LCD panel.

Single keys switch the pattern whichever program has the focus: 1 to 8 for
red, green, blue, cyan, magenta, yellow, black and white, 9 for a custom
colour, 0 for a random colour, V or H with G for the gradients and with L
for the line grids, and Escape to close the pattern. A small control window
offers the same by mouse. Global keys need an X11 desktop; on a Wayland
desktop the keys act while a Velotrix window has the focus, and the screen
effect pictures the screen through the desktop's screenshot portal.]=])

include(CPack)
