# The download (target "package"): a ZIP holding keystride.exe, the README
# and the licence, unpacked anywhere and run from there. The program links
# everything statically, so nothing else goes with it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KS_PACKAGE_ARCH win64)
else()
  set(KS_PACKAGE_ARCH win32)
endif()

# The texts as a Windows user opens them: .txt files with CR LF line ends,
# which every Windows editor shows as lines.
set(KS_PACKAGE_TEXTS ${CMAKE_BINARY_DIR}/package-texts)
configure_file(README.md ${KS_PACKAGE_TEXTS}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${KS_PACKAGE_TEXTS}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS keystride RUNTIME DESTINATION .)
install(FILES ${KS_PACKAGE_TEXTS}/README.txt ${KS_PACKAGE_TEXTS}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Keystride)
set(CPACK_PACKAGE_VENDOR "Korvel Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Keystride-${PROJECT_VERSION}-${KS_PACKAGE_ARCH})
# The files at the top of the archive: Windows' own "Extract All" already
# makes a folder named after the archive.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
