list(APPEND VELDA_CORE_SOURCES
  file_ops/batch_copy_run.cpp
  file_ops/batch_preview.cpp
  file_ops/copy_one_file.cpp
  file_ops/delete_selected.cpp
  file_ops/journal_reader.cpp
  file_ops/moved_sources.cpp
  file_ops/placement_plan.cpp
  file_ops/progress_pacer.cpp
  file_ops/remove_folder_tree.cpp
  file_ops/run_journal.cpp
  file_ops/run_placements.cpp
  file_ops/run_recovery.cpp
  file_ops/size_survey.cpp
  file_ops/target_name.cpp
  file_ops/trash_folder_tree.cpp
  file_ops/tree_survey.cpp
  file_ops/undo_command.cpp
  file_ops/undo_offer.cpp
  file_ops/undo_run.cpp
)
list(APPEND VELDA_UI_SOURCES
)
