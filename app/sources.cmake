# The reader window. The settings store and the document view sit in the
# folders of their subjects but are listed here with the window they serve.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/globals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_up.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/learned_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/late_libraries_win.cpp
  ${CMAKE_SOURCE_DIR}/settings/settings_store_win.cpp
  ${CMAKE_SOURCE_DIR}/text/document_view_win.cpp)

# Artwork: text pixel maps under resources/art become the icon and bitmaps
# in the native tree's generated folder, which the Windows resource script
# finds on its include path.
set(QUORIN_ART_MAPS ${CMAKE_SOURCE_DIR}/resources/art)
set(QUORIN_TOOLBAR_MAPS previous_day today next_day font search search_again index learned)
if(NOT WIN32)
  add_executable(make_art ${CMAKE_SOURCE_DIR}/tools/make_art/make_art.cpp ${CMAKE_SOURCE_DIR}/tools/bitmap_file.cpp
    ${CMAKE_SOURCE_DIR}/tools/pixel_scale.cpp)
  set(QUORIN_ART_DIR ${CMAKE_BINARY_DIR}/generated/art)
  set(QUORIN_ART_OUTPUTS)
  function(quorin_art kind output scale)
    set(maps)
    foreach(name ${ARGN})
      list(APPEND maps ${QUORIN_ART_MAPS}/${name}.txt)
    endforeach()
    add_custom_command(
      OUTPUT ${QUORIN_ART_DIR}/${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORIN_ART_DIR}
      COMMAND make_art ${kind} ${QUORIN_ART_DIR}/${output} --scale ${scale} ${maps}
      DEPENDS make_art ${maps}
      VERBATIM)
    set(QUORIN_ART_OUTPUTS ${QUORIN_ART_OUTPUTS} ${QUORIN_ART_DIR}/${output} PARENT_SCOPE)
  endfunction()
  # Bitmaps come in three sizes, for 100 %, 200 % and 300 % displays.
  function(quorin_bitmap name)
    quorin_art(bmp ${name}.bmp 1 ${ARGN})
    quorin_art(bmp ${name}_2x.bmp 2 ${ARGN})
    quorin_art(bmp ${name}_3x.bmp 3 ${ARGN})
    set(QUORIN_ART_OUTPUTS ${QUORIN_ART_OUTPUTS} PARENT_SCOPE)
  endfunction()
  quorin_bitmap(toolbar ${QUORIN_TOOLBAR_MAPS})
  quorin_bitmap(tree_closed tree_closed)
  quorin_bitmap(tree_open tree_open)
  quorin_bitmap(tree_page tree_page)
  quorin_art(ico program.ico 1 program_32 program_16)
  add_custom_target(quorin_art ALL DEPENDS ${QUORIN_ART_OUTPUTS})
endif()

# The About box and the update check; the About picture is one bit per
# pixel, drawn by mono_bitmap from its text map.
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/update_check.cpp)
if(NOT WIN32)
  add_executable(mono_bitmap ${CMAKE_SOURCE_DIR}/tools/mono_bitmap/mono_bitmap.cpp ${CMAKE_SOURCE_DIR}/tools/bitmap_file.cpp)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/generated/art/about.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated/art
    COMMAND mono_bitmap ${CMAKE_BINARY_DIR}/generated/art/about.bmp ${QUORIN_ART_MAPS}/about.txt
    DEPENDS mono_bitmap ${QUORIN_ART_MAPS}/about.txt
    VERBATIM)
  add_custom_target(quorin_about_art ALL DEPENDS ${CMAKE_BINARY_DIR}/generated/art/about.bmp)
endif()
