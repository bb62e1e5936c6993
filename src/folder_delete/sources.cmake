list(APPEND VELDA_CORE_SOURCES
  folder_delete/deletion_guard.cpp
  folder_delete/folder_deletion.cpp
)
list(APPEND VELDA_UI_SOURCES
  folder_delete/frm_del_dir.cpp
)
