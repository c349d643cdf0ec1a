# The Debian package: `cpack --preset deb` (scripts/package) after a build of the "package"
# preset. It holds what `cmake --install` installs (program, desktop entry, icons) plus the
# manual page, the copyright file and the changelog that Debian's tools expect; its
# dependencies are computed from the program's shared libraries by dpkg-shlibdeps.

# Compressed as Debian wants them (gzip -9, no name or time stamp, so builds are identical).
set(tarnwick_doc_dir ${CMAKE_CURRENT_BINARY_DIR}/package-docs)
set(tarnwick_compressed)
foreach(pair IN ITEMS "docs/tarnwick.1|tarnwick.1.gz" "resources/debian/changelog|changelog.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${tarnwick_doc_dir}/${target}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${tarnwick_doc_dir}
                       COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/${source} > ${tarnwick_doc_dir}/${target}
                       DEPENDS ${PROJECT_SOURCE_DIR}/${source}
                       COMMENT "Compressing ${source}")
    list(APPEND tarnwick_compressed ${tarnwick_doc_dir}/${target})
endforeach()
add_custom_target(tarnwick_package_docs ALL DEPENDS ${tarnwick_compressed})

install(FILES ${tarnwick_doc_dir}/tarnwick.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${tarnwick_doc_dir}/changelog.gz
        DESTINATION share/doc/tarnwick)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VENDOR "Tarnwick developers")
set(CPACK_PACKAGE_CONTACT "Tarnwick developers <tarnwick@tarnwick.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find files by name and content, preview and edit them")
# Lines under 80 columns, as Debian's tools show them in a terminal.
set(CPACK_PACKAGE_DESCRIPTION
    "Tarnwick finds files and folders by the beginning of their name and,
optionally, by a piece of text they contain, in one folder, a drive or all
drives, while its window stays responsive. A click on a result opens it in
the built-in editor, which marks the searched text; the file can be edited
and saved under a new name, or opened with its program or in the file
manager. File managers offer it on a folder's Open With menu.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.tarnwick.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Owned by root whoever builds the package.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
