# The artwork, drawn at build time by the native tree into its generated
# folder, where the Windows resource scripts find it on their include path.
# Included before the platform's options, so these tools build without the
# sanitizers.
if(WIN32)
  return()
endif()

# Text pixel maps under resources/art become the icon and bitmaps.
set(QUORIN_ART_MAPS ${CMAKE_SOURCE_DIR}/resources/art)
set(QUORIN_TOOLBAR_MAPS previous_day today next_day font search search_again index)
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

# The About picture is one bit per pixel, drawn by mono_bitmap.
add_executable(mono_bitmap ${CMAKE_SOURCE_DIR}/tools/mono_bitmap/mono_bitmap.cpp ${CMAKE_SOURCE_DIR}/tools/bitmap_file.cpp)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/generated/art/about.bmp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated/art
  COMMAND mono_bitmap ${CMAKE_BINARY_DIR}/generated/art/about.bmp ${QUORIN_ART_MAPS}/about.txt
  DEPENDS mono_bitmap ${QUORIN_ART_MAPS}/about.txt
  VERBATIM)
add_custom_target(quorin_about_art ALL DEPENDS ${CMAKE_BINARY_DIR}/generated/art/about.bmp)

# The alphabet picture (bitmap 119) is drawn from its glyph map by the
# native tree into its generated folder, beside the other artwork.
add_executable(alphabet_art ${CMAKE_SOURCE_DIR}/tools/alphabet_art/alphabet_art.cpp ${CMAKE_SOURCE_DIR}/tools/bitmap_file.cpp
  ${CMAKE_SOURCE_DIR}/tools/pixel_scale.cpp
  ${CMAKE_SOURCE_DIR}/search/search_entry.cpp ${CMAKE_SOURCE_DIR}/search/matcher.cpp
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
