# GoogleTest built from its sources by the compiler in use, for builds that cannot link
# the host's copy (a cross-build for Windows). Nothing is downloaded: the sources are the
# ones Debian's libgtest-dev ships. Its own build names the targets GTest::gtest and
# GTest::gtest_main, as the host's package does.
if(NOT EXISTS "${ZARVEL_GTEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "No GoogleTest sources in ${ZARVEL_GTEST_SOURCE_DIR} "
                      "(Debian package libgtest-dev; or set ZARVEL_GTEST_SOURCE_DIR)")
endif()
set(BUILD_GMOCK OFF)
set(INSTALL_GTEST OFF)
# SYSTEM: GoogleTest's headers, as our tests include them, answer to its warning flags, not ours.
add_subdirectory("${ZARVEL_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest"
                 EXCLUDE_FROM_ALL SYSTEM)
