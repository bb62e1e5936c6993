list(APPEND VELDA_CORE_SOURCES
  shared/system_information.cpp
)
list(APPEND VELDA_UI_SOURCES
  shared/frm_about.cpp
  shared/velda_art.cpp
)

# Folder picker and the cleaning of typed paths.
list(APPEND VELDA_CORE_SOURCES
  shared/folder_picker.cpp
  shared/typed_text.cpp
)
list(APPEND VELDA_UI_SOURCES
  shared/qt_folder_picker.cpp
)
