# Writes a model GPD with its *Include lines replaced by the included files, CRLF line ends.
#   cmake -DSOURCE=gpd/QZA10.GPD -DOUTPUT=win2k/QZA10.GPD -P ExpandGpd.cmake
# The installer copies only the model's GPD into the driver directory, where Unidrv would
# not find an included file; the shared part is kept once in the sources all the same.
file(READ "${SOURCE}" text)
get_filename_component(folder "${SOURCE}" DIRECTORY)
string(REGEX MATCHALL "\\*Include:[ \t]*\"[^\"\n]+\"" includes "${text}")
foreach(include IN LISTS includes)
  string(REGEX REPLACE "^\\*Include:[ \t]*\"([^\"]+)\"$" "\\1" name "${include}")
  if(NOT EXISTS "${folder}/${name}")
    message(FATAL_ERROR "${SOURCE}: cannot find included file ${name}")
  endif()
  file(READ "${folder}/${name}" part)
  if(part MATCHES "\\*Include:")
    message(FATAL_ERROR "${folder}/${name}: includes nest only one level deep")
  endif()
  string(REPLACE "${include}" "*% ---- ${name} ----\n${part}*% ---- end of ${name} ----" text "${text}")
endforeach()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}" "${text}")
