# KORA.exe: the pages over the framework, the portable core and the resources.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(KORA_ICON ${CMAKE_BINARY_DIR}/res/kora.ico)
add_custom_command(OUTPUT ${KORA_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/res/make_icon.py ${KORA_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/res/make_icon.py ${CMAKE_SOURCE_DIR}/res/icon/printer32.txt
          ${CMAKE_SOURCE_DIR}/res/icon/printer16.txt
  COMMENT "Drawing the application icon")
add_custom_target(kora_icon DEPENDS ${KORA_ICON})

set(KORA_PROGRAM_SOURCES
  app/installer_app.cpp
  app/globals.cpp
  app/detect_system.cpp
  app/system_select_dlg.cpp
  settings/settings_dlg.cpp
  settings/about_dlg.cpp
  settings/install_printer_driver.cpp
  ports/port_select_dlg.cpp
  ports/port_type_dlg.cpp
  ports/list_view.cpp
  ports/spooler_enum.cpp
  install/win32_install_system.cpp
  install/win32_records.cpp
)

# The program, and test variants of it built from the same sources with other resources.
function(kora_add_program name)
  cmake_parse_arguments(ARG "" "" "RC_DEFINES" ${ARGN})
  add_executable(${name} WIN32 ${KORA_PROGRAM_SOURCES} res/kora.rc)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE kora_framework kora_core)
  set_source_files_properties(res/kora.rc PROPERTIES
    OBJECT_DEPENDS "${KORA_ICON};${CMAKE_SOURCE_DIR}/res/kora.exe.manifest;${CMAKE_SOURCE_DIR}/res/resource.h")
  target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/res ${CMAKE_SOURCE_DIR}/res)
  if(ARG_RC_DEFINES)
    target_compile_definitions(${name} PRIVATE ${ARG_RC_DEFINES})
  endif()
  add_dependencies(${name} kora_icon)
endfunction()

kora_add_program(KORA)
# Without the settings page's template: proves that a page that cannot be created ends the wizard.
kora_add_program(KORA_no_settings_template RC_DEFINES KORA_OMIT_SETTINGS_TEMPLATE)

# dist/KORA: the program beside its win2k folder, as a shop owner receives it.
add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KORA_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:KORA> ${KORA_DIST_DIR}/KORA.exe
  DEPENDS KORA win2k_package
  COMMENT "Assembling ${KORA_DIST_DIR}")
