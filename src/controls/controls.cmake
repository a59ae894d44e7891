# The skinned controls (Win32 only), the skin's pictures rendered from their SVG sources
# at build time, and the gallery program that shows every control in every state.
# Included from src/CMakeLists.txt inside if(OVALIN_WINDOWS).

enable_language(RC)

ovalin_layer(controls)
target_link_libraries(ovalin_controls PUBLIC ovalin_skin_logic ovalin_localisation
                      user32 gdi32 comctl32 msimg32 shell32)

# Skin: skin/*.svg (and the templated buttons) -> PNG with rsvg-convert -> RCDATA.
find_program(OVALIN_RSVG_CONVERT rsvg-convert REQUIRED)
set(_skin_src ${CMAKE_SOURCE_DIR}/skin)
set(_skin_out ${CMAKE_BINARY_DIR}/skin)
file(MAKE_DIRECTORY ${_skin_out})
include(${_skin_src}/skin_pictures.cmake)  # defines OVALIN_SKIN_PICTURES: name;svg;width;height...
set(_skin_pngs)
list(LENGTH OVALIN_SKIN_PICTURES _count)
math(EXPR _last "${_count} - 1")
foreach(_i RANGE 0 ${_last} 4)
  math(EXPR _j "${_i} + 1")
  math(EXPR _k "${_i} + 2")
  math(EXPR _l "${_i} + 3")
  list(GET OVALIN_SKIN_PICTURES ${_i} _name)
  list(GET OVALIN_SKIN_PICTURES ${_j} _svg)
  list(GET OVALIN_SKIN_PICTURES ${_k} _w)
  list(GET OVALIN_SKIN_PICTURES ${_l} _h)
  add_custom_command(OUTPUT ${_skin_out}/${_name}.png
    COMMAND ${OVALIN_RSVG_CONVERT} -w ${_w} -h ${_h} -o ${_skin_out}/${_name}.png ${_skin_src}/${_svg}
    DEPENDS ${_skin_src}/${_svg}
    COMMENT "Rendering skin picture ${_name}.png" VERBATIM)
  list(APPEND _skin_pngs ${_skin_out}/${_name}.png)
endforeach()
add_custom_target(ovalin_skin_pictures DEPENDS ${_skin_pngs})

# Resources: an object library, so every executable that links it embeds the skin.
set(OVALIN_SKIN_OUT ${_skin_out})
configure_file(${_skin_src}/skin.rc.in ${_skin_out}/skin.rc @ONLY)
add_library(ovalin_skin_resources OBJECT ${_skin_out}/skin.rc)
set_source_files_properties(${_skin_out}/skin.rc PROPERTIES OBJECT_DEPENDS "${_skin_pngs}")
add_dependencies(ovalin_skin_resources ovalin_skin_pictures)

# The gallery: every control in every state, driven by the e2e test.
file(GLOB _gallery_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/gallery/*.cpp)
add_executable(ovalin-gallery WIN32 ${_gallery_sources})
target_link_libraries(ovalin-gallery PRIVATE ovalin_controls ovalin_skin_resources)
target_link_options(ovalin-gallery PRIVATE -municode)
