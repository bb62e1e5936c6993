list(APPEND VELDA_CORE_TESTS
  archive/archive_command_line_test.cpp
  archive/crafted_archives_test.cpp
  archive/extracted_names_test.cpp
  archive/extract_archive_test.cpp
  archive/member_names_test.cpp
  archive/test_archives.cpp
  archive/unpack32_test.cpp
)
list(APPEND VELDA_UI_TESTS
  archive/frm_marlow_archive_test.cpp
  archive/test_archives.cpp
)
# Tests stand in for liblhasa's functions.
include_directories(${LHASA_INCLUDE_DIRS})
