# The window cross-built for Windows against the project's own Qt DLLs
# (scripts/build-windows-qt.sh): what the Linux build gets from the system.

# That Qt has no SVG module: the tool bar pictures go in as PNG files drawn from the SVG
# drawings by a host tool, under the same resource names (Qt tells PNG by its content).
set(varnoke_host_tools ${CMAKE_BINARY_DIR}/host-tools)
execute_process(COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR}/cmake/svg-to-png -B ${varnoke_host_tools}
                        -G Ninja -DCMAKE_BUILD_TYPE=Release
                COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${varnoke_host_tools} COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)

set(varnoke_pictures ${CMAKE_BINARY_DIR}/pictures)
file(READ ${CMAKE_SOURCE_DIR}/resources/resources.qrc varnoke_qrc)
string(REGEX MATCHALL "<file>[^<]+</file>" varnoke_qrc_files "${varnoke_qrc}")
set(varnoke_qrc_entries "")
foreach(entry ${varnoke_qrc_files})
  string(REGEX REPLACE "</?file>" "" name "${entry}")
  set(source ${CMAKE_SOURCE_DIR}/resources/${name})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  if(name MATCHES "\\.svg$")
    string(REGEX REPLACE "\\.svg$" ".png" png ${varnoke_pictures}/${name})
    get_filename_component(png_folder ${png} DIRECTORY)
    file(MAKE_DIRECTORY ${png_folder})
    # Drawn at twice the tool bar's 16 pixels, for screens of twice the density.
    execute_process(COMMAND ${varnoke_host_tools}/svg-to-png 32 ${source} ${png} COMMAND_ERROR_IS_FATAL ANY
                    ERROR_QUIET) # Qt notes the missing XDG_RUNTIME_DIR
    set(source ${png})
  endif()
  string(APPEND varnoke_qrc_entries "        <file alias=\"${name}\">${source}</file>\n")
endforeach()
set(VARNOKE_RESOURCES_QRC ${CMAKE_BINARY_DIR}/resources.qrc)

# The program's icon in varnoke.exe, for Explorer, the Start menu, "Open with" and the installer:
# the SVG icon drawn at the sizes Windows asks for, packed by icotool (256 pixels as PNG).
set(VARNOKE_WINDOWS_ICON ${CMAKE_BINARY_DIR}/varnoke.ico)
set(varnoke_icon_pictures "")
foreach(size 16 24 32 48 64 256)
  set(png ${varnoke_pictures}/varnoke-${size}.png)
  execute_process(COMMAND ${varnoke_host_tools}/svg-to-png ${size} ${CMAKE_SOURCE_DIR}/resources/icons/varnoke.svg ${png}
                  COMMAND_ERROR_IS_FATAL ANY ERROR_QUIET)
  if(size EQUAL 256)
    list(APPEND varnoke_icon_pictures -r)
  endif()
  list(APPEND varnoke_icon_pictures ${png})
endforeach()
execute_process(COMMAND icotool -c -o ${varnoke_pictures}/varnoke.ico ${varnoke_icon_pictures} COMMAND_ERROR_IS_FATAL ANY)
# Replaced only when it changes, so that a new configure does not recompile the resources of varnoke.exe.
file(COPY_FILE ${varnoke_pictures}/varnoke.ico ${VARNOKE_WINDOWS_ICON} ONLY_IF_DIFFERENT)

file(CONFIGURE OUTPUT ${VARNOKE_RESOURCES_QRC}
     CONTENT "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/\">\n${varnoke_qrc_entries}    </qresource>\n</RCC>\n")

# Qt's DLLs and the plugins the programs load sit beside them in bin/, so the window and its
# tests run from there, and the packages take them from there. Offscreen and the test
# library serve the tests only.
set(varnoke_qt_dlls Qt6::Core Qt6::Gui Qt6::Widgets Qt6::OpenGL Qt6::OpenGLWidgets)
set(varnoke_qt_plugins platforms Qt6::QWindowsIntegrationPlugin styles Qt6::QWindowsVistaStylePlugin)
if(VARNOKE_BUILD_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  list(APPEND varnoke_qt_dlls Qt6::Test)
  list(APPEND varnoke_qt_plugins platforms Qt6::QOffscreenIntegrationPlugin)
endif()
set(varnoke_copy_commands "")
foreach(dll ${varnoke_qt_dlls})
  list(APPEND varnoke_copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${dll}>
       ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/)
endforeach()
while(varnoke_qt_plugins)
  list(POP_FRONT varnoke_qt_plugins type plugin)
  list(APPEND varnoke_copy_commands
       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${type}
       COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${type}/)
endwhile()
if(VARNOKE_BUILD_TESTS)
  # The offscreen platform of the tests draws text with fonts of its own (a Windows program
  # asks Windows): it looks in lib/fonts of Qt's folder, which qt.conf makes the build's.
  set(varnoke_fonts /usr/share/fonts/truetype/dejavu)
  list(APPEND varnoke_copy_commands
       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/lib/fonts
       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${varnoke_fonts}/DejaVuSans.ttf ${varnoke_fonts}/DejaVuSans-Bold.ttf
               ${CMAKE_BINARY_DIR}/lib/fonts/)
  file(WRITE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/qt.conf "[Paths]\nPrefix = ..\nLibraries = lib\n")
endif()
add_custom_target(windows_qt_runtime ALL ${varnoke_copy_commands} VERBATIM)
