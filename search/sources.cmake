list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/matcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spelling_matcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_walk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hit_banner.cpp)
list(APPEND WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/edit_direction_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/find_next_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_dialog.cpp)

# The alphabet picture (bitmap 119) is drawn from its glyph map by the
# native tree into its generated folder, beside the other artwork.
if(NOT WIN32)
  # Built before the tree's sanitizer options apply, so from its own sources.
  add_executable(alphabet_art ${CMAKE_SOURCE_DIR}/tools/alphabet_art/alphabet_art.cpp ${CMAKE_SOURCE_DIR}/tools/bitmap_file.cpp
    ${CMAKE_SOURCE_DIR}/tools/pixel_scale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/search_entry.cpp ${CMAKE_CURRENT_LIST_DIR}/matcher.cpp
    ${CMAKE_SOURCE_DIR}/settings/settings.cpp ${CMAKE_SOURCE_DIR}/text/letter_code.cpp)
  set(QUORIN_ALPHABET_BMPS)
  foreach(scale 1 2 3)
    set(bmp ${CMAKE_BINARY_DIR}/generated/art/alphabet_${scale}x.bmp)
    if(scale EQUAL 1)
      set(bmp ${CMAKE_BINARY_DIR}/generated/art/alphabet.bmp)
    endif()
    add_custom_command(
      OUTPUT ${bmp}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated/art
      COMMAND alphabet_art ${CMAKE_SOURCE_DIR}/resources/art/alphabet.txt ${bmp} ${scale}
      DEPENDS alphabet_art ${CMAKE_SOURCE_DIR}/resources/art/alphabet.txt
      VERBATIM)
    list(APPEND QUORIN_ALPHABET_BMPS ${bmp})
  endforeach()
  add_custom_target(quorin_alphabet_art ALL DEPENDS ${QUORIN_ALPHABET_BMPS})
endif()
