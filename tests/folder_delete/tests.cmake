list(APPEND VELDA_CORE_TESTS
  folder_delete/deletion_guard_test.cpp
)
list(APPEND VELDA_UI_TESTS
  folder_delete/frm_del_dir_test.cpp
)
