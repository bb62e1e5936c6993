list(APPEND VELDA_CORE_SOURCES
  rename/build_target_name.cpp
)
list(APPEND VELDA_UI_SOURCES
  rename/frm_marlow_a.cpp
)
