list(APPEND VELDA_CORE_TESTS
)
list(APPEND VELDA_UI_TESTS
  shared/frm_about_test.cpp
)
