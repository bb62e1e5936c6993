list(APPEND VELDA_CORE_TESTS
  platform/exact_path_test.cpp
  platform/file_name_codec_test.cpp
  platform/file_list_reading_test.cpp
  platform/file_system_test.cpp
  platform/text_encoding_test.cpp
  platform/trash_test.cpp
  platform/wildcard_test.cpp
)
list(APPEND VELDA_UI_TESTS
  platform/control_array_test.cpp
  platform/dir_list_box_test.cpp
  platform/elided_path_view_test.cpp
  platform/file_list_box_test.cpp
  platform/vb_look_test.cpp
)
