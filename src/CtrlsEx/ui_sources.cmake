target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/button_ex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_ex.cpp
)
