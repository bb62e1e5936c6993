list(APPEND VELDA_CORE_SOURCES
  shared/check_digits.cpp
)
list(APPEND VELDA_UI_SOURCES
)
