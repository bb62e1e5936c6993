list(APPEND VELDA_CORE_TESTS
  main_window/work_folders_test.cpp
)
list(APPEND VELDA_UI_TESTS
  main_window/startup_test.cpp
)
