list(APPEND VELDA_CORE_TESTS
)
list(APPEND VELDA_UI_TESTS
  platform/folder_lists_test.cpp
)
