target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/print_preview.cpp
)
