list(APPEND VELDA_CORE_TESTS
  folder_delete/deletion_guard_test.cpp
  folder_delete/remove_folder_tree_test.cpp
)
list(APPEND VELDA_UI_TESTS
)
