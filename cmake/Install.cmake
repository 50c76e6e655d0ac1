# What `cmake --install` puts where, by GNU's install directories: the programs in bin/,
# and for the window its desktop entry, its icon in the hicolor theme and its AppStream
# metadata under share/; the man pages, the licence and the README. The Debian package
# (debian/) and CPack's tarball and zip (cmake/Packaging.cmake) are made from these same
# rules. Without the window (a build with -DQUILLET_BUILD_WINDOW=OFF) only quillet-cli
# and the documents are installed; for Windows, the programs beside a read-me of their
# own and the licence.
#
# Included from the top-level CMakeLists.txt after src/, whose targets it installs.

# The icon's SVG: the window builds it in as a resource, the icon theme gets it here.
set(QUILLET_ICON_SVG ${PROJECT_SOURCE_DIR}/src/qt/resources/quillet.svg)

# The reverse-DNS id that names the desktop entry, the icon and the AppStream metadata.
set(QUILLET_APP_ID io.github.kestrane.Quillet)

set(QUILLET_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

include(GNUInstallDirs)

# The documents go to share/doc/kestrane-quillet/, named after the package rather than
# the CMake project, as Debian wants; -DCMAKE_INSTALL_DOCDIR=... still chooses another.
if("$CACHE{CMAKE_INSTALL_DOCDIR}" STREQUAL "")
  set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kestrane-quillet)
endif()

if(WIN32)
  # A Windows zip holds the programs beside their documents, with no Unix folder tree; a
  # text file there wants an extension to open, and CR LF line ends for Notepad's
  # older versions. The README is Linux's; Windows gets a read-me of its own.
  set(quillet_bindir .)
  set(quillet_docdir .)
  set(quillet_license_name LICENSE.txt)
  set(quillet_readme ${QUILLET_PACKAGING_DIR}/windows/README-Windows.txt)
else()
  set(quillet_bindir ${CMAKE_INSTALL_BINDIR})
  set(quillet_docdir ${CMAKE_INSTALL_DOCDIR})
  set(quillet_license_name LICENSE)
  set(quillet_readme ${PROJECT_SOURCE_DIR}/README.md)
endif()

install(TARGETS quillet-cli RUNTIME DESTINATION ${quillet_bindir})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${quillet_docdir} RENAME ${quillet_license_name})
install(FILES ${quillet_readme} DESTINATION ${quillet_docdir})

if(TARGET quillet)
  install(TARGETS quillet RUNTIME DESTINATION ${quillet_bindir})
endif()

if(NOT WIN32)
  # Man pages and the changelog are installed gzipped, as Debian requires of a package
  # (-n: no name or time stamp, so the same source gives the same bytes); where there is
  # no gzip, the man pages go plain, which man reads as well.
  find_program(QUILLET_GZIP gzip)
  set(quillet_gz_dir ${CMAKE_CURRENT_BINARY_DIR}/gz)
  set(quillet_gz_files "")
  function(quillet_gzip source name)
    set(output ${quillet_gz_dir}/${name}.gz)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${quillet_gz_dir}
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${quillet_gz_dir}/${name}
      COMMAND ${QUILLET_GZIP} -9nf ${quillet_gz_dir}/${name}
      DEPENDS ${source}
      VERBATIM)
    set(quillet_gz_files ${quillet_gz_files} ${output} PARENT_SCOPE)
  endfunction()

  set(quillet_man_pages ${QUILLET_PACKAGING_DIR}/man/quillet-cli.1)
  if(TARGET quillet)
    list(APPEND quillet_man_pages ${QUILLET_PACKAGING_DIR}/man/quillet.1)
  endif()
  if(QUILLET_GZIP)
    foreach(page IN LISTS quillet_man_pages)
      get_filename_component(name ${page} NAME)
      quillet_gzip(${page} ${name})
      install(FILES ${quillet_gz_dir}/${name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    # The project's changelog in Debian's form; a package of the project's own making is
    # a native one, whose changelog Debian names changelog.gz. (The Debian package takes
    # it, and the copyright below, from debhelper instead: debian/not-installed.)
    quillet_gzip(${PROJECT_SOURCE_DIR}/debian/changelog changelog)
    install(FILES ${quillet_gz_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
    add_custom_target(quillet_gzipped_docs ALL DEPENDS ${quillet_gz_files})
  else()
    install(FILES ${quillet_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()

  # The licence in Debian's machine-readable form, which a package must carry.
  install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

if(TARGET quillet AND NOT WIN32)
  # The desktop entry puts the window in the application menu; the AppStream metadata
  # describes it to software centres.
  install(FILES ${QUILLET_PACKAGING_DIR}/${QUILLET_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QUILLET_PACKAGING_DIR}/${QUILLET_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  set(quillet_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${QUILLET_ICON_SVG} DESTINATION ${quillet_icon_dir}/scalable/apps
          RENAME ${QUILLET_APP_ID}.svg)

  # PNGs for the desktops and menus that take no SVG, rendered from the SVG at build time
  # with Qt's SVG module, which the window links already. A cross-build cannot run the
  # renderer here, and installs the SVG alone.
  if(NOT CMAKE_CROSSCOMPILING)
    find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
    add_executable(quillet-render-icon ${QUILLET_PACKAGING_DIR}/render-icon/main.cpp)
    target_link_libraries(quillet-render-icon PRIVATE Qt6::Gui Qt6::Svg)
    quillet_warnings(quillet-render-icon)
    set(quillet_pngs "")
    foreach(size IN ITEMS 16 24 32 48 64 128 256)
      set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${QUILLET_APP_ID}.png)
      add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
        COMMAND quillet-render-icon ${QUILLET_ICON_SVG} ${size} ${png}
        DEPENDS quillet-render-icon ${QUILLET_ICON_SVG}
        VERBATIM)
      list(APPEND quillet_pngs ${png})
      install(FILES ${png} DESTINATION ${quillet_icon_dir}/${size}x${size}/apps)
    endforeach()
    add_custom_target(quillet_icon_pngs ALL DEPENDS ${quillet_pngs})
  endif()
endif()

# The install tree is checked as a test: `cmake --install` into a temporary folder, then
# the desktop entry and the AppStream metadata through their validators, the man pages
# through groff, and the installed programs run. It is skipped (status 77) where those
# tools are missing; scripts/test installs them.
if(QUILLET_BUILD_TESTS AND CMAKE_HOST_UNIX AND NOT CMAKE_CROSSCOMPILING)
  add_test(NAME install_tree
           COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/lib/check-install.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(install_tree PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
