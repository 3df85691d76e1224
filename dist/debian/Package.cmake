# The Debian package: manual pages, the copyright file and the changelog, and CPack's settings.
# `cpack` then writes dist/morvish_VERSION_amd64.deb (build.sh package does all of it).
set(debian ${CMAKE_CURRENT_LIST_DIR})
set(out ${CMAKE_CURRENT_BINARY_DIR}/debian)
file(MAKE_DIRECTORY ${out})

# The programs look for their shared files under the prefix they were built for, so a package
# that installs to /usr must be built for /usr.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "MORVISH_PACKAGE needs -DCMAKE_INSTALL_PREFIX=/usr, not ${CMAKE_INSTALL_PREFIX}")
endif()
if(NOT MORVISH_BUILD_APP)
  message(FATAL_ERROR "MORVISH_PACKAGE needs the desktop program (MORVISH_BUILD_APP=ON)")
endif()
find_program(DPKG_PARSECHANGELOG dpkg-parsechangelog REQUIRED)
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

# The changelog's newest entry names the version being packaged; it must be the project's, or the
# package would describe another release than the one it holds.
execute_process(COMMAND ${DPKG_PARSECHANGELOG} -l ${debian}/changelog -SVersion
  OUTPUT_VARIABLE changelog_version OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${DPKG_PARSECHANGELOG} -l ${debian}/changelog -STimestamp
  OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(NOT changelog_version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${debian}/changelog: the newest entry is for version ${changelog_version}, "
                      "the project is ${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION}")
endif()
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/linux/${MORVISH_APP_ID}.metainfo.xml newest_release
  REGEX "<release " LIMIT_COUNT 1)
if(NOT newest_release MATCHES "version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "linux/${MORVISH_APP_ID}.metainfo.xml: the newest release is not "
                      "${PROJECT_VERSION}: ${newest_release}")
endif()

# The manual pages carry the release's date, not the build's, so that a rebuild gives the same
# bytes.
set(ENV{SOURCE_DATE_EPOCH} ${release_time})
string(TIMESTAMP MORVISH_RELEASE_MONTH "%B %Y" UTC)
unset(ENV{SOURCE_DATE_EPOCH})
configure_file(${debian}/morvish.1.in ${out}/morvish.1 @ONLY)

# help2man takes the synopsis from the usage's first line only, and the renderer's usage goes on
# in a second, indented line: this stand-in (named like the program, whose name help2man uses)
# joins the two.
file(GENERATE OUTPUT ${out}/help2man/morvish-render
  CONTENT "#!/bin/sh\n\"$<TARGET_FILE:morvish-render>\" \"$@\" | sed '/^Usage:/{N;s/\\n */ /}'\n"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                   WORLD_EXECUTE)

add_custom_command(
  OUTPUT ${out}/morvish-render.1.gz
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_time}
          ${HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
          --include=${debian}/morvish-render.h2m --output=${out}/morvish-render.1
          ${out}/help2man/morvish-render
  COMMAND ${GZIP} -9nf ${out}/morvish-render.1
  DEPENDS morvish-render ${debian}/morvish-render.h2m
  COMMENT "Writing the manual page of morvish-render from its --help"
  VERBATIM)
# gzip -n leaves out the file's name and time, so the compressed files do not change either.
add_custom_command(
  OUTPUT ${out}/morvish.1.gz
  COMMAND ${GZIP} -9nkf ${out}/morvish.1
  DEPENDS ${out}/morvish.1
  VERBATIM)
add_custom_command(
  OUTPUT ${out}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${debian}/changelog ${out}/changelog
  COMMAND ${GZIP} -9nf ${out}/changelog
  DEPENDS ${debian}/changelog
  VERBATIM)
add_custom_target(package_docs ALL
  DEPENDS ${out}/morvish-render.1.gz ${out}/morvish.1.gz ${out}/changelog.gz)

install(FILES ${out}/morvish.1.gz ${out}/morvish-render.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${debian}/copyright ${out}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/morvish)
install(FILES ${debian}/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME morvish)

# The programs are installed before this (the folders holding them come first), and are stripped
# as Debian's own packaging tools strip them: debugging data and the compilers' notes go.
install(CODE "
  foreach(program morvish morvish-render)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
      COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
")

# The package. CPack's DESTDIR staging keeps CMAKE_INSTALL_PREFIX at /usr while installing, so the
# default skin root list written at install time names /usr/share/morvish/skins/.
set(CPACK_GENERATOR DEB)
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_NAME morvish)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/cpack)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(MORVISH_MAINTAINER "Morvish maintainers <maintainers@users.noreply.c-seed-6781286b.example>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${MORVISH_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "previewer for Ragnarok Online user-interface skins")
set(CPACK_PACKAGE_DESCRIPTION [=[
Morvish lists the skins under your skin folders in a tree and draws faithful
imitations of eleven of the game's windows from each skin's own bitmaps,
filled with sample content. The imitations answer the mouse as the game
does: hover, pressed and disabled looks, tabs, minimising, selectable rows
and lockable trade panels. When a skin looks right, Morvish copies it into
the skin folder of the game.

The package also holds morvish-render, which draws any window of a skin to a
PNG file after scripted mouse events, three demo skins and the sample
pictures.]=])
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The sample texts are drawn with these fonts, which the binaries do not link.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
