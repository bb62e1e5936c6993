list(APPEND VELDA_CORE_SOURCES
  rename/build_target_name.cpp
  rename/extension_check.cpp
  rename/numeric_field.cpp
  rename/rule_field_input.cpp
  rename/rule_fields.cpp
  rename/rule_set_check.cpp
  rename/rule_window_placement.cpp
  rename/typed_rule_values.cpp
)
list(APPEND VELDA_UI_SOURCES
  rename/frm_marlow_a.cpp
  rename/frm_marlow_b.cpp
  rename/rule_window_support.cpp
)
