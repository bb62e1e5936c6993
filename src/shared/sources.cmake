list(APPEND VELDA_CORE_SOURCES
  shared/check_digits.cpp
  shared/folder_check.cpp
  shared/folder_picker.cpp
  shared/run_progress.cpp
  shared/system_information.cpp
  shared/typed_text.cpp
  shared/work_folder_paths.cpp
)
list(APPEND VELDA_UI_SOURCES
  shared/frm_about.cpp
  shared/progress_window.cpp
  shared/qt_folder_picker.cpp
  shared/velda_art.cpp
)
