list(APPEND VELDA_CORE_TESTS
  main_window/dropped_paths_test.cpp
  main_window/start_arguments_test.cpp
  main_window/work_folders_test.cpp
)
list(APPEND VELDA_UI_TESTS
  main_window/way_in_window_test.cpp
  main_window/fields_test.cpp
  main_window/raw_names_window_test.cpp
  main_window/selection_after_run_test.cpp
)
