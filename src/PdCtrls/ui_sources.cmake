target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/fast_label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/focus_label.cpp
)
