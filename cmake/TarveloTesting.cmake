# What every test of a window shares, so that its verdict does not depend on what else
# the machine holds: the fonts it draws with and a home of its own.
#
#   tarvelo_isolate_test(<test>...)
#
# gives each named test (already added with add_test) the test-only fontconfig file
# below and its own HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_CACHE_HOME under
# <build>/test-homes/<test>; the whole of test-homes is removed by the fixture
# test_homes_reset before the first such test of a ctest run, so no run sees the
# settings or files an earlier one left.

# The folders of the fonts the windows use (Liberation 1 for Arial, MS Sans Serif and
# Times New Roman, Comic Neue for Comic Sans MS), as Debian's fonts-liberation and
# fonts-comic-neue install them. fonts-liberation2 installs its newer faces of the same
# families elsewhere, so they are never picked. DejaVu (fonts-dejavu-core) is the
# fallback for the signs Liberation lacks, such as the superscript minus of "·10⁻³".
set(TARVELO_TEST_FONT_DIRS /usr/share/fonts/truetype/liberation /usr/share/fonts/opentype/comic-neue
    /usr/share/fonts/truetype/dejavu
    CACHE STRING "Font folders the tests of the windows may use, and no others")

set(TARVELO_TEST_FONT_DIR_LINES "")
foreach(dir IN LISTS TARVELO_TEST_FONT_DIRS)
  if(NOT IS_DIRECTORY ${dir})
    message(WARNING "Test font folder ${dir} is missing (scripts/deps.sh full installs it)")
  endif()
  string(APPEND TARVELO_TEST_FONT_DIR_LINES "  <dir>${dir}</dir>\n")
endforeach()
set(TARVELO_TEST_FONT_CACHE ${CMAKE_BINARY_DIR}/test-fontconfig-cache)
set(TARVELO_TEST_FONTCONFIG ${CMAKE_BINARY_DIR}/test-fonts.conf)
configure_file(${CMAKE_CURRENT_LIST_DIR}/TestFonts.conf.in ${TARVELO_TEST_FONTCONFIG} @ONLY)

set(TARVELO_TEST_HOMES ${CMAKE_BINARY_DIR}/test-homes)
add_test(NAME test_homes_reset COMMAND ${CMAKE_COMMAND} -E rm -rf ${TARVELO_TEST_HOMES})
set_tests_properties(test_homes_reset PROPERTIES FIXTURES_SETUP tarvelo_test_homes)

function(tarvelo_isolate_test)
  foreach(test IN LISTS ARGN)
    set(home ${TARVELO_TEST_HOMES}/${test})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
      FONTCONFIG_FILE=${TARVELO_TEST_FONTCONFIG} HOME=${home} XDG_CONFIG_HOME=${home}/config
      XDG_DATA_HOME=${home}/data XDG_CACHE_HOME=${home}/cache)
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED tarvelo_test_homes)
  endforeach()
endfunction()
