# The Debian package: `cpack -G DEB` in a release build folder makes
# zybkotsepye_<version>-<release>_<arch>.deb from the install component "deb".

set(ZYB_PACKAGE_MAINTAINER "Seed 1d3440fa maintainers <maintainers@users.noreply.c-seed-1d3440fa.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zybkotsepye)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZYB_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "elimination quiz against seven computer players")
set(CPACK_PACKAGE_DESCRIPTION [=[
Zybkotsepye, 'the shaky chain', is a single-player elimination quiz in
Russian. You sit at a table of eight with seven computer players; in seven
timed rounds of two-choice questions you climb a money chain and bank it
before a wrong answer breaks it.

After each round the table votes one player off; the last two meet in a
final duel, and the winner is written to the hall of fame. Players can add
their own questions and opponents' names.]=])
# Only the Debian layout goes into the package, not the plain one.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};deb;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZYB_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps adds the libraries the program links to (Qt, fontconfig, the C++ runtime).
# Every font the windows ask for falls back to DejaVu; the closer look-alikes are recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
# The host's voice speaks through speech-dispatcher's plugin for Qt and espeak-ng; without
# them the game is silent and plays as well. Qt's Wayland platform runs it on a Wayland
# desktop itself; without it the game runs there through XWayland. Qt's translations put the
# question editor's file dialog in Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation2, fonts-urw-base35, qt6-speech-speechd-plugin, speech-dispatcher-espeak-ng, qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
