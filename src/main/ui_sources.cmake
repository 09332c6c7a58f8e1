target_sources(kelmora_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TForm1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arrow_piece.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calendar_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calendar_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_arrows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_find.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_print.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_resident.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TForm1_saving.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tool_cursors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar_icons.cpp
)
