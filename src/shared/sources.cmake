list(APPEND VELDA_CORE_SOURCES
  shared/system_information.cpp
)
list(APPEND VELDA_UI_SOURCES
  shared/frm_about.cpp
  shared/velda_art.cpp
)
