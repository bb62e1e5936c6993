list(APPEND VELDA_CORE_TESTS
)
list(APPEND VELDA_UI_TESTS
  main_window/startup_test.cpp
)
