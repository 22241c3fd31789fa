# The Debian package of the player and the tool: `cpack -G DEB` in a Release
# build. The run-time dependencies come from the libraries the binaries link
# (dpkg-shlibdeps), the desktop caches are refreshed by the triggers of
# shared-mime-info, desktop-file-utils and the icon theme.
include(GNUInstallDirs)
set(zx_docdir ${CMAKE_INSTALL_DATADIR}/doc/zindorax-player)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${zx_docdir})
# Debian wants the changelog (changelog.gz, for a package without a Debian
# revision) compressed at the highest level, without a time stamp.
set(zx_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
execute_process(COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog
                OUTPUT_FILE ${zx_changelog} RESULT_VARIABLE zx_gzip)
if(zx_gzip EQUAL 0)
  install(FILES ${zx_changelog} DESTINATION ${zx_docdir})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zindorax-player)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Section games would want the programs in /usr/games, off the path the menu entry uses.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Rätsel-Player developers <raetsel-player@users.noreply.invalid>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://raetsel-player.invalid/")
# Fonts the puzzles are drawn with where the puzzle names none of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "player for German word and number puzzles")
# The long description, in English and German; CPack indents its lines and
# marks the empty one as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Plays Swedish, number, fill-in, brain-teaser, French and American
crosswords, the crossword jigsaw, Sudoku and timed Sudoku, from puzzle
files and from packed players made for any system. The raetsel tool
builds puzzles from a readable source, makes them from a word list or as
Sudokus of any size and level, and packs them into a player.

Spielt Schwedenrätsel, Zahlenrätsel, Füllrätsel, Knobelgitter,
französische und amerikanische Rätsel, Kreuzwortpuzzles, Sudokus und
Sudokus auf Zeit, aus Rätseldateien und aus Spielern mit Rätsel für jedes
System. Das Werkzeug raetsel übersetzt Rätselquellen, macht Rätsel aus
einer Wortliste oder Sudokus jeder Größe und Stufe und packt sie in einen
Spieler.")
include(CPack)
