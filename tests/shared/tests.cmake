list(APPEND VELDA_CORE_TESTS
)
list(APPEND VELDA_UI_TESTS
)

list(APPEND VELDA_CORE_TESTS
  shared/folder_picker_test.cpp
)
