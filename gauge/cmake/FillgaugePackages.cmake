# The library's two Debian packages, one a CPack component: the run-time library and the development
# package (headers, CMake package, pkg-config file, Qt Designer plugin). Set before include(CPack) by
# whichever project packages the library, with CPACK_DEB_COMPONENT_INSTALL on.
set(CPACK_DEBIAN_FILLGAUGE_RUNTIME_PACKAGE_NAME libfillgauge2)
set(CPACK_DEBIAN_FILLGAUGE_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_FILLGAUGE_RUNTIME_DISPLAY_NAME "Fillgauge library")
set(CPACK_COMPONENT_FILLGAUGE_RUNTIME_DESCRIPTION
    "Fillgauge progress-bar widget for Qt 6 - run-time library
A progress bar that paints its own border, a flood of blocks or one smooth bar, horizontal or
vertical, and a caption centred over it; every property is a Qt property set and read by name.")

set(CPACK_DEBIAN_FILLGAUGE_DEVELOPMENT_PACKAGE_NAME libfillgauge-dev)
set(CPACK_DEBIAN_FILLGAUGE_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_FILLGAUGE_DEVELOPMENT_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4)")
set(CPACK_COMPONENT_FILLGAUGE_DEVELOPMENT_DISPLAY_NAME "Fillgauge development files")
set(CPACK_COMPONENT_FILLGAUGE_DEVELOPMENT_DESCRIPTION
    "Fillgauge progress-bar widget for Qt 6 - development files
Headers, the CMake package (find_package(Fillgauge)), the pkg-config file and the Qt Designer plugin
that puts Fillgauge in Designer's widget box.")
set(CPACK_COMPONENT_FILLGAUGE_DEVELOPMENT_DEPENDS Fillgauge_Runtime)

# The program and plugin packaged beside the library need it: dpkg-shlibdeps finds it where it was built,
# and the packages depend on libfillgauge2 through their component dependencies.
list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${Fillgauge_BINARY_DIR})
