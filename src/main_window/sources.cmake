list(APPEND VELDA_CORE_SOURCES
  main_window/dropped_paths.cpp
  main_window/field_behaviour.cpp
  main_window/start_arguments.cpp
  main_window/work_folders.cpp
)
list(APPEND VELDA_UI_SOURCES
  main_window/frm_marlow.cpp
  main_window/frm_marlow_archive.cpp
  main_window/frm_marlow_copy.cpp
  main_window/frm_marlow_drops.cpp
  main_window/frm_marlow_fields.cpp
  main_window/frm_marlow_menus.cpp
  main_window/frm_marlow_rules.cpp
)
