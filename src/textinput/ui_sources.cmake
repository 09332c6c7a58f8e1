target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/memo_input_dialog.cpp
)
