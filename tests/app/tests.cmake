list(APPEND VELDA_DESKTOP_TESTS
  app/installed_program_test.cpp
  archive/test_archives.cpp
)
