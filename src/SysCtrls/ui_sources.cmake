target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/single_instance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_key.cpp
)
