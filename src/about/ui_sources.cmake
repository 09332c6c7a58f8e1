target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_window.cpp
)
# The help file lives beside the program.
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelmora.hlp ${CMAKE_BINARY_DIR}/src/kelmora.hlp COPYONLY)
install(FILES ${CMAKE_BINARY_DIR}/src/kelmora.hlp DESTINATION . COMPONENT program)
