# Where the six Unidrv core files come from. They are Windows components we may not ship:
# a builder names a folder holding them (for instance C:\Windows\System32\spool\drivers\
# w32x86\3 of a machine with a Unidrv printer, or the Windows Driver Kit's copy) in
# KORA_UNIDRV_DIR, as a cache or environment variable; the environment wins when set.
# Without it the package gets stand-ins, and ${CMAKE_BINARY_DIR}/win2k-standins.txt holds
# the one-line warning that build.sh prints last. Sets unidrv_source_<name> for each file,
# KORA_UNIDRV_NOTE_ZH/_EN for README.txt (with CRLF inside: configure_file converts only
# the template's line ends), unidrv_warning_command and unidrv_check_command for win2k_package.
# Files from KORA_UNIDRV_DIR must be what their names say (check/unidrvcheck.py): configure
# fails otherwise, and the package's build checks them again before copying them.
# Sets <prefix>_<name> to the path of each named file in dir, whatever its letter case there
# (copies from Windows come as unidrv.dll, UNIDRVUI.DLL ...), and missing_var to the names
# not found.
function(kora_find_any_case dir prefix missing_var)
  file(GLOB offered RELATIVE ${dir} ${dir}/*)
  set(missing)
  foreach(name IN LISTS ARGN)
    string(TOLOWER ${name} wanted)
    set(found)
    foreach(file IN LISTS offered)
      string(TOLOWER ${file} lower)
      if(lower STREQUAL wanted)
        set(found ${dir}/${file})
      endif()
    endforeach()
    if(found)
      set(${prefix}_${name} ${found} PARENT_SCOPE)
    else()
      unset(${prefix}_${name} PARENT_SCOPE)
      list(APPEND missing ${name})
    endif()
  endforeach()
  set(${missing_var} ${missing} PARENT_SCOPE)
endfunction()

set(KORA_UNIDRV_DIR "" CACHE PATH "Folder with the six Unidrv core files (uniDRV.DLL, uniDRVui.DLL ...)")
if(NOT "$ENV{KORA_UNIDRV_DIR}" STREQUAL "")
  set(KORA_UNIDRV_DIR "$ENV{KORA_UNIDRV_DIR}" CACHE PATH "" FORCE)
endif()

set(standin_flag ${CMAKE_BINARY_DIR}/win2k-standins.txt)
set(unidrv_warning_command)
set(unidrv_check_command)

if(KORA_UNIDRV_DIR)
  kora_find_any_case(${KORA_UNIDRV_DIR} unidrv_source missing ${KORA_UNIDRV_FILES})
  if(missing)
    message(FATAL_ERROR "KORA_UNIDRV_DIR=${KORA_UNIDRV_DIR} lacks: ${missing}")
  endif()
  set(unidrv_sources)
  foreach(name IN LISTS KORA_UNIDRV_FILES)
    list(APPEND unidrv_sources ${unidrv_source_${name}})
  endforeach()
  set(unidrv_check ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/check/unidrvcheck.py ${unidrv_sources})
  execute_process(COMMAND ${unidrv_check} RESULT_VARIABLE not_real OUTPUT_VARIABLE faults ERROR_VARIABLE faults)
  if(not_real)
    message(FATAL_ERROR "KORA_UNIDRV_DIR=${KORA_UNIDRV_DIR} does not hold the real Unidrv files "
                        "(32-bit Windows DLLs, a WinHelp file, GPD texts):\n${faults}")
  endif()
  set(unidrv_check_command COMMAND ${unidrv_check})
  file(REMOVE ${standin_flag})
  set(KORA_UNIDRV_NOTE_ZH "win2k 文件夹中的六个 Unidrv 文件取自 Windows 本身，此软件包可以正式使用。")
  set(KORA_UNIDRV_NOTE_EN "The six Unidrv files in the win2k folder were taken from Windows itself; this package is complete.")
  message(STATUS "Unidrv core files from ${KORA_UNIDRV_DIR}")
else()
  set(standin_dir ${CMAKE_CURRENT_BINARY_DIR}/unidrv-standins)
  foreach(name IN LISTS KORA_UNIDRV_FILES)
    set(unidrv_source_${name} ${standin_dir}/${name})
    file(WRITE ${unidrv_source_${name}}
      "KORA stand-in for ${name}: not the Windows file, for testing only.\r\n"
      "Build with KORA_UNIDRV_DIR naming a folder that holds the real one.\r\n")
  endforeach()
  set(warning "WARNING: win2k holds stand-ins for the six Unidrv files, for testing only. Set KORA_UNIDRV_DIR to a folder with the real files and rebuild.")
  file(WRITE ${standin_flag} "${warning}\n")
  set(unidrv_warning_command COMMAND ${CMAKE_COMMAND} -E echo "${warning}")
  set(KORA_UNIDRV_NOTE_ZH
    "注意：本软件包在构建时没有 Unidrv 文件，win2k 文件夹中的 uniDRV.DLL、uniDRVui.DLL、\r\nUNIDRV.HLP、UNIRES.DLL、TTFSUB.GPD 和 STDNAMES.GPD 只是替代品（文本文件），\r\n仅供测试使用，用它安装的打印机不能打印。")
  set(KORA_UNIDRV_NOTE_EN
    "NOTE: this package was built without the Unidrv files. uniDRV.DLL, uniDRVui.DLL,\r\nUNIDRV.HLP, UNIRES.DLL, TTFSUB.GPD and STDNAMES.GPD in the win2k folder are stand-ins\r\n(text files) for testing only; a printer installed with them cannot print.")
  message(WARNING "${warning}")
endif()

# The 64-bit Unidrv for win2k\x64, used on 64-bit Windows only where the system has no copy
# of its own (every 64-bit Windows from Vista on has one). KORA_UNIDRV64_DIR names a folder
# with them (for instance C:\Windows\System32\spool\drivers\x64\3), as KORA_UNIDRV_DIR does
# for the x86 files. Without it win2k\x64 holds only QZC10.DLL: a stand-in there would hide
# a missing Unidrv from the wizard. Sets unidrv64_supplied (the names found, in lower case)
# and unidrv64_source_<name>.
set(KORA_UNIDRV64_FILES unidrv.dll unidrvui.dll unires.dll stdnames.gpd ttfsub.gpd)
set(KORA_UNIDRV64_DIR "" CACHE PATH "Folder with the 64-bit Unidrv files (unidrv.dll, unidrvui.dll ...)")
if(NOT "$ENV{KORA_UNIDRV64_DIR}" STREQUAL "")
  set(KORA_UNIDRV64_DIR "$ENV{KORA_UNIDRV64_DIR}" CACHE PATH "" FORCE)
endif()
set(unidrv64_supplied)
if(KORA_UNIDRV64_DIR)
  kora_find_any_case(${KORA_UNIDRV64_DIR} unidrv64_source missing ${KORA_UNIDRV64_FILES} unidrv.hlp)
  list(REMOVE_ITEM missing unidrv.hlp)  # the help file may be left out
  foreach(name IN LISTS KORA_UNIDRV64_FILES ITEMS unidrv.hlp)
    if(unidrv64_source_${name})
      list(APPEND unidrv64_supplied ${name})
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "KORA_UNIDRV64_DIR=${KORA_UNIDRV64_DIR} lacks: ${missing}")
  endif()
  message(STATUS "64-bit Unidrv files from ${KORA_UNIDRV64_DIR}")
endif()
