list(APPEND VELDA_CORE_SOURCES
  archive/archive_command_line.cpp
  archive/archive_file_name.cpp
  archive/archive_work_folder.cpp
  archive/extract_archive.cpp
  archive/extraction_messages.cpp
  archive/extraction_room.cpp
  archive/lhasa_library.cpp
  archive/lhasa_member_reader.cpp
  archive/libarchive_library.cpp
  archive/libarchive_member_reader.cpp
  archive/lzh_header.cpp
  archive/macbinary_check.cpp
  archive/member_extraction.cpp
  archive/member_file.cpp
  archive/member_names.cpp
  archive/member_places.cpp
  archive/unpack32.cpp
  archive/zip_directory.cpp
  archive/zip_member_reader.cpp
)
list(APPEND VELDA_UI_SOURCES
  archive/frm_melt.cpp
)
