list(APPEND VELDA_CORE_TESTS
  rename/build_target_name_test.cpp
)
list(APPEND VELDA_UI_TESTS
)
