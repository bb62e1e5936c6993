list(APPEND VELDA_CORE_SOURCES
  platform/fault_injection.cpp
  platform/file_name_codec.cpp
  platform/file_system.cpp
  platform/folded_name.cpp
  platform/folder_handle.cpp
  platform/fs_error.cpp
  platform/message_box.cpp
  platform/process.cpp
  platform/wildcard.cpp
)
list(APPEND VELDA_UI_SOURCES
  platform/control_array.cpp
  platform/desktop_scale.cpp
  platform/dir_list_box.cpp
  platform/drive_list_box.cpp
  platform/elided_path_view.cpp
  platform/file_list_box.cpp
  platform/qt_message_presenter.cpp
  platform/shell.cpp
  platform/vb_form.cpp
  platform/vb_look.cpp
)
