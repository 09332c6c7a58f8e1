target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/jump_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/up_down.cpp
)
