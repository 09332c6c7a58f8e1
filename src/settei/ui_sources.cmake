target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/colour_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_handlers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_preview.cpp
)
