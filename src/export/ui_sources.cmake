target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/export_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_range_dialog.cpp
)
