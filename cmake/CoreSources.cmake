# Portable sources (no windows.h): linked into KORA.exe and into the native unit tests.
set(KORA_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../app/system_type.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../settings/descramble.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../settings/model_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../ports/default_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../ports/port_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../ports/monitor_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../ports/spooler_fetch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/driver_models.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/driver_package.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/registry_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/serial_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/install_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/install_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/driver64.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../install/system_machine.cpp
)
