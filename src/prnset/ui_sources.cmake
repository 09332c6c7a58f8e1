target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/month_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_setup_dialog.cpp
)
