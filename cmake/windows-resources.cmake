# varnoke_windows_resources(TARGET DESCRIPTION [ICON]): the target's .exe carries version
# information and a manifest, and with ICON the program's icon (varnoke.ico, drawn from the
# SVG icon by cmake/windows-qt.cmake).
function(varnoke_windows_resources target description)
  set(VARNOKE_RC_NAME ${target})
  set(VARNOKE_RC_FILE ${target}.exe)
  set(VARNOKE_RC_DESCRIPTION "${description}")
  set(VARNOKE_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(VARNOKE_RC_ICON "")
  if(ARGC GREATER 2)
    set(VARNOKE_RC_ICON "1 ICON \"${ARGV2}\"")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.manifest.in ${VARNOKE_RC_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
                              OBJECT_DEPENDS "${VARNOKE_RC_MANIFEST};${ARGV2}")
endfunction()
