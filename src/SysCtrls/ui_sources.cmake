target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/animate_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/application_object.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pseudo_app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/single_instance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_sounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_key.cpp
)
if(WIN32)
  target_link_libraries(kelmora_ui PRIVATE winmm)
endif()
