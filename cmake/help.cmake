# help.chm of every language pack: compiled from help/<pack>/ (HTML pages, help.hhp,
# toc.hhc, written in the pack's language) and help/common/ with chmcmd, into
# Langs/<pack>/help.chm of the portable program folder. Without chmcmd (Debian fp-utils)
# the packs go without a help file and the build says so.
find_program(OVALIN_CHMCMD chmcmd)
if(NOT OVALIN_CHMCMD)
  message(STATUS "chmcmd not found (Debian package fp-utils): help.chm files are not built")
  return()
endif()

set(_help_root ${CMAKE_SOURCE_DIR}/help)
file(GLOB _help_projects CONFIGURE_DEPENDS ${_help_root}/*/help.hhp)
file(GLOB _help_common CONFIGURE_DEPENDS ${_help_root}/common/*)
set(_help_outputs)
foreach(_project IN LISTS _help_projects)
  get_filename_component(_pack_dir ${_project} DIRECTORY)
  get_filename_component(_pack ${_pack_dir} NAME)
  file(GLOB _pack_sources CONFIGURE_DEPENDS ${_pack_dir}/*)
  set(_output ${OVALIN_DIST_DIR}/Langs/${_pack}/help.chm)
  add_custom_command(OUTPUT ${_output}
    COMMAND sh ${_help_root}/build_help.sh ${_pack_dir} ${_help_root}/common
            ${CMAKE_CURRENT_BINARY_DIR}/help/${_pack} ${_output}
    DEPENDS ${_pack_sources} ${_help_common} ${_help_root}/build_help.sh
    COMMENT "Help file of language pack ${_pack}"
    VERBATIM)
  list(APPEND _help_outputs ${_output})
endforeach()
add_custom_target(ovalin_help ALL DEPENDS ${_help_outputs})
