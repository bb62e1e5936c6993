list(APPEND VELDA_CORE_TESTS
  rename/build_target_name_test.cpp
  rename/rule_field_input_test.cpp
  rename/rule_set_check_test.cpp
)
list(APPEND VELDA_UI_TESTS
  rename/rule_windows_test.cpp
)
list(APPEND VELDA_DESKTOP_TESTS
  rename/rule_windows_desktop_test.cpp
)
