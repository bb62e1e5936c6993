list(APPEND VELDA_CORE_TESTS
  file_ops/batch_copy_run_test.cpp
  file_ops/batch_move_kill_test.cpp
  file_ops/big_file_run_test.cpp
  file_ops/copy_one_file_test.cpp
  file_ops/delete_selected_test.cpp
  file_ops/fat_destination_test.cpp
  file_ops/folder_run.cpp
  file_ops/refusals_test.cpp
  file_ops/remove_folder_tree_test.cpp
  file_ops/replaced_files_test.cpp
  file_ops/run_recovery_test.cpp
  file_ops/size_survey_test.cpp
  file_ops/target_name_test.cpp
  file_ops/undo_run_test.cpp
)
list(APPEND VELDA_UI_TESTS
  file_ops/frm_marlow_runs_test.cpp
  file_ops/undo_window_test.cpp
)

# The process the kill test kills: a batch move over real folders.
add_executable(velda_batch_move_child ${CMAKE_CURRENT_LIST_DIR}/batch_move_child.cpp)
target_link_libraries(velda_batch_move_child PRIVATE velda_core)
