# Writes model GPDs with their *Include lines replaced by the included files, CRLF line ends.
#   cmake -DSOURCES=gpd/QZA10.GPD,gpd/QZA20.GPD -DOUTPUT_DIR=win2k -P ExpandGpd.cmake
# The installer copies only the model's GPD into the driver directory, where Unidrv would
# not find an included file; the shared part is kept once in the sources all the same.
function(expand_gpd source output)
  file(READ "${source}" text)
  get_filename_component(folder "${source}" DIRECTORY)
  string(REGEX MATCHALL "\\*Include:[ \t]*\"[^\"\n]+\"" includes "${text}")
  foreach(include IN LISTS includes)
    string(REGEX REPLACE "^\\*Include:[ \t]*\"([^\"]+)\"$" "\\1" name "${include}")
    if(NOT EXISTS "${folder}/${name}")
      message(FATAL_ERROR "${source}: cannot find included file ${name}")
    endif()
    file(READ "${folder}/${name}" part)
    if(part MATCHES "\\*Include:")
      message(FATAL_ERROR "${folder}/${name}: includes nest only one level deep")
    endif()
    string(REPLACE "${include}" "*% ---- ${name} ----\n${part}*% ---- end of ${name} ----" text "${text}")
  endforeach()
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${output}" "${text}")
endfunction()

string(REPLACE "," ";" sources "${SOURCES}")
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  expand_gpd("${source}" "${OUTPUT_DIR}/${name}")
endforeach()
