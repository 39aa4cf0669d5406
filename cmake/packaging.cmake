# Install rules and packages. `cmake --install` puts the programs in bin/, a manual page
# each in share/man/man1 and the README, the sample list and the Klebsiella picture in
# share/doc/quelvar. CPack turns the same rules into a .deb and a .tar.gz here, and into a
# .zip in the Windows cross build, where everything sits in one folder so that quelvar.exe
# started from Explorer finds the sample date.txt beside it.
include(GNUInstallDirs)

# Each with the one-line summary its manual page's NAME section carries.
set(quelvar_programs
  "quelvar|interactive 3D viewer for genomic tandem pairs"
  "quelvar-summary|load a tandem list as the viewer does and print its summary"
  "quelvar-snapshot|render the viewer's picture of a tandem list to PNG or SVG, without a window"
  "quelvar-import|turn repeat-finder and aligner output into a tandem list"
  "quelvar-generate|write a synthetic tandem list"
)

if(WIN32)
  set(quelvar_bin_dir .)
  set(quelvar_doc_dir .)
else()
  set(quelvar_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(quelvar_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/quelvar)
endif()

# Manual pages need the programs to run here, so not in a cross build.
if(NOT CMAKE_CROSSCOMPILING)
  find_program(HELP2MAN help2man)
  if(NOT HELP2MAN)
    message(WARNING "help2man not found (scripts/deps.sh installs it): no manual pages")
  endif()
endif()
set(quelvar_man_dir ${CMAKE_BINARY_DIR}/man)
set(quelvar_man_pages)

foreach(entry ${quelvar_programs})
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 program)
  list(GET entry 1 summary)
  if(NOT TARGET ${program})
    continue()
  endif()
  install(TARGETS ${program} RUNTIME DESTINATION ${quelvar_bin_dir})
  if(HELP2MAN)
    set(page ${quelvar_man_dir}/${program}.1)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${quelvar_man_dir}
      COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${HELP2MAN} -DPROGRAM=$<TARGET_FILE:${program}>
              -DTOOL=${program} -DVERSION=${PROJECT_VERSION} "-DSUMMARY=${summary}"
              -DOUTPUT=${page} -P ${CMAKE_CURRENT_LIST_DIR}/man_page.cmake
      DEPENDS ${program} ${CMAKE_CURRENT_LIST_DIR}/man_page.cmake
      COMMENT "Manual page for ${program}"
      VERBATIM)
    list(APPEND quelvar_man_pages ${page})
  endif()
endforeach()

if(quelvar_man_pages)
  add_custom_target(man_pages ALL DEPENDS ${quelvar_man_pages})
  install(FILES ${quelvar_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

install(FILES README.md samples/date.txt DESTINATION ${quelvar_doc_dir})
# Beside the README as its image link expects.
install(FILES docs/klebsiella.png DESTINATION ${quelvar_doc_dir}/docs)

string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" quelvar_arch)
set(CPACK_PACKAGE_NAME quelvar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quelvar")
set(CPACK_PACKAGE_CONTACT "Quelvar developers <dev@quelvar.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://quelvar.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive 3D viewer for genomic tandem pairs")
set(CPACK_PACKAGE_DESCRIPTION
  "Flies over the repeats a repeat finder or a self-alignment reports: every pair of copies
stands as two bars as high as the copy is long. With headless tools to summarise, render,
import and generate tandem lists.")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME quelvar-${PROJECT_VERSION}-windows-${quelvar_arch})
else()
  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_PACKAGE_FILE_NAME quelvar-${PROJECT_VERSION}-linux-${quelvar_arch})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # dpkg-shlibdeps reads the libraries the programs link (GLFW, GL, EGL, zlib, the C and
  # C++ runtimes) and declares the packages that hold them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
endif()
include(CPack)
