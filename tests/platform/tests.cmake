list(APPEND VELDA_CORE_TESTS
  platform/file_system_test.cpp
  platform/wildcard_test.cpp
)
list(APPEND VELDA_UI_TESTS
  platform/control_array_test.cpp
)
