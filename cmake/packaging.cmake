# What the packages hold and how CPack makes them. The Windows build gives an
# installer and a portable zip of one program folder; the native build gives
# a Debian package of the command-line converter. PROJECT_VERSION is the one
# version number: `pinwell --version`, the package names and their metadata.
set(packaging_dir "${CMAKE_SOURCE_DIR}/packaging")
# Whatever the umask of the machine that builds them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  # Everything in one folder, as the desktop program looks for its help file
  # beside itself.
  install(TARGETS pinwell RUNTIME DESTINATION .)
  install(TARGETS Pinwell RUNTIME DESTINATION .)
  install(FILES "${PINWELL_PROGRAM_DIR}/Pinwell.hlp" "${PINWELL_PROGRAM_DIR}/Pinwell.htm" DESTINATION .)
  # Notepad of the program's era shows LF-only text as one line.
  configure_file("${packaging_dir}/README.txt.in" README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/README.txt" DESTINATION .)
else()
  install(TARGETS pinwell RUNTIME DESTINATION bin)
  # Debian wants the manual page and the changelog compressed, reproducibly.
  find_program(GZIP_EXECUTABLE gzip REQUIRED)
  set(compressed)
  foreach(page pinwell.1 changelog)
    configure_file("${packaging_dir}/${page}.in" ${page} @ONLY)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND "${GZIP_EXECUTABLE}" -9nf -k ${page}
      DEPENDS "${CMAKE_CURRENT_BINARY_DIR}/${page}")
    list(APPEND compressed "${CMAKE_CURRENT_BINARY_DIR}/${page}.gz")
  endforeach()
  add_custom_target(pinwell_package_pages ALL DEPENDS ${compressed})
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/pinwell.1.gz" DESTINATION share/man/man1)
  install(FILES "${packaging_dir}/pinwell.bash-completion"
          DESTINATION share/bash-completion/completions RENAME pinwell)
  install(FILES "${packaging_dir}/copyright" "${CMAKE_CURRENT_BINARY_DIR}/changelog.gz"
          DESTINATION share/doc/pinwell)
endif()

set(CPACK_PACKAGE_NAME Pinwell)
set(CPACK_PACKAGE_VENDOR Pinwell)
set(CPACK_PACKAGE_CONTACT "Pinwell maintainers <maintainers@pinwell.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converts NMEA track logs into pushpin files and map formats")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Pinwell)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Pinwell)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The installer and the zip get their own names there.
set(CPACK_PROJECT_CONFIG_FILE "${packaging_dir}/package_names.cmake")

if(WIN32)
  set(CPACK_GENERATOR NSIS ZIP)
  set(CPACK_SYSTEM_NAME win64)
  # A 64-bit installer for the 64-bit program: it writes the 64-bit registry
  # and Program Files, and Wine without its 32-bit part runs it. The foot of
  # every page names Pinwell, not the build machine's NSIS.
  set(CPACK_NSIS_DEFINES "Target amd64-unicode\nBrandingText 'Pinwell ${PROJECT_VERSION}'")
  # Logs open in Pinwell on a double-click (packaging/file_association.nsh).
  string(APPEND CPACK_NSIS_DEFINES "\n!include '${packaging_dir}/file_association.nsh'")
  # Programs and Features: the size of what was installed, the help page as
  # the help link; the name, version, publisher and icon come from CPack.
  set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pinwell")
  string(APPEND CPACK_NSIS_DEFINES "\n!include FileFunc.nsh")
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro PinwellAssociate
  !insertmacro GetSizeCall '$INSTDIR' '/S=0K' $0 $1 $2
  IntFmt $0 '0x%08X' $0
  WriteRegDWORD SHCTX '${uninstall_key}' 'EstimatedSize' '$0'")
  set(CPACK_NSIS_HELP_LINK "$INSTDIR\\Pinwell.htm")
  # The installer's own Properties > Details.
  string(APPEND CPACK_NSIS_DEFINES "
VIProductVersion ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0
VIAddVersionKey /LANG=1033 ProductName Pinwell
VIAddVersionKey /LANG=1033 CompanyName Pinwell
VIAddVersionKey /LANG=1033 FileDescription 'Pinwell Setup'
VIAddVersionKey /LANG=1033 FileVersion ${PROJECT_VERSION}
VIAddVersionKey /LANG=1033 ProductVersion ${PROJECT_VERSION}
VIAddVersionKey /LANG=1033 LegalCopyright 'Copyright (C) 2003 Pinwell'")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  # No licence has been granted: no page that asks the user to accept one.
  set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
  set(CPACK_NSIS_MUI_ICON "${CMAKE_BINARY_DIR}/resources/pinwell.ico")
  set(CPACK_NSIS_MUI_UNIICON "${CPACK_NSIS_MUI_ICON}")
  set(CPACK_NSIS_PACKAGE_NAME Pinwell)
  set(CPACK_NSIS_DISPLAY_NAME Pinwell)
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
  set(CPACK_PACKAGE_EXECUTABLES Pinwell Pinwell)
  set(CPACK_NSIS_INSTALLED_ICON_NAME Pinwell.exe)
  # The uninstaller removes the key that holds the install folder but would
  # leave its parent, the vendor's key, behind; nothing else lives there.
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "!insertmacro PinwellDissociate\nDeleteRegKey SHCTX 'Software\\\\${CPACK_PACKAGE_VENDOR}'")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_PACKAGE_NAME pinwell)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # --time-zone reads the system's database.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS tzdata)
  # CPack puts the summary in front as the synopsis line.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "pinwell converts the NMEA 0183 track logs (.pgl) that a car-navigation
program writes into pushpin text files that mapping programs import, or
into GPX, KML, GeoJSON and CSV. It keeps one fix in a chosen number of
seconds, writes English or Continental numbers, and reads standard input
and many logs in one run.")
endif()

include(CPack)

if(PINWELL_PACKAGE_TESTS)
  enable_testing()
  if(WIN32)
    pinwell_add_test(NAME installer_test PACKAGE TIMEOUT 300 COMMAND bash "${packaging_dir}/tests/installer_test.sh"
      "${CMAKE_BINARY_DIR}" "${PROJECT_VERSION}" "${CMAKE_SOURCE_DIR}")
  else()
    pinwell_add_test(NAME deb_package_test PACKAGE TIMEOUT 120 COMMAND bash "${packaging_dir}/tests/deb_package_test.sh"
      "${CMAKE_BINARY_DIR}" "${PROJECT_VERSION}" "${CMAKE_SOURCE_DIR}")
  endif()
endif()
