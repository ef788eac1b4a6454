# The Debian package (`./run package`, or cpack in the build folder): build/tarnlink_VERSION_ARCH.deb with
# the program, its libraries and module under /usr/lib/tarn, the manual page and the bash completion.
# Depends is computed from the binaries by dpkg-shlibdeps, so it names the libraries as they are.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnlink)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "external-link checker for HTML pages")
set(CPACK_PACKAGE_DESCRIPTION "Checks the absolute http and https links of HTML pages over HTTP and \
corrects them in a terminal dialog, changing nothing else in the page; tarnlink --check reports on \
them for scripts and CI.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "tarnlink developers")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries lie in the package, beside the module; dpkg-shlibdeps is told where, so that it
# looks for no package providing them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/lib)
# cpack packs the tree as built (`./run package` builds first) and builds nothing itself: otherwise it would
# first bring the whole project, tests and benchmarks, up to date, which the test of the package cannot
# afford. `cmake --install` never builds either.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
