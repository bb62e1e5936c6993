list(APPEND VELDA_CORE_TESTS
  shared/check_digits_test.cpp
)
list(APPEND VELDA_UI_TESTS
)
