list(APPEND VELDA_CORE_SOURCES
  folder_delete/deletion_guard.cpp
  folder_delete/folder_deletion.cpp
  folder_delete/mounted_volume.cpp
  folder_delete/removal_level.cpp
  folder_delete/remove_folder_tree.cpp
)
list(APPEND VELDA_UI_SOURCES
  folder_delete/frm_del_dir.cpp
)
