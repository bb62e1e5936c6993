list(APPEND VELDA_CORE_TESTS
  rename/build_target_name_test.cpp
  rename/extension_check_test.cpp
  rename/numeric_field_test.cpp
  rename/rule_field_input_test.cpp
  rename/rule_set_check_test.cpp
  rename/rule_window_placement_test.cpp
)
list(APPEND VELDA_UI_TESTS
  rename/frm_marlow_a_test.cpp
  rename/frm_marlow_b_test.cpp
  rename/rule_selection_test.cpp
)
