list(APPEND VELDA_CORE_TESTS
  shared/folder_check_test.cpp
  shared/folder_picker_test.cpp
  shared/run_progress_test.cpp
  shared/work_folder_paths_test.cpp
)
list(APPEND VELDA_UI_TESTS
  shared/frm_about_test.cpp
  shared/progress_window_test.cpp
)
