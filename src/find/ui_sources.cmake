target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/find_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hit_list.cpp
)
