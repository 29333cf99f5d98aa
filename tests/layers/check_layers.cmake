# Fails when a source folder includes a header from a layer above it.
# Run as: cmake -DSOURCE_DIR=<src> -P check_layers.cmake
#
# Layers, bottom up: platform; settings, net, codec; display; engine;
# protocol; dcc, macro; app. Widget folders may also use the Qt platform.

cmake_policy(VERSION 3.20)

set(allowed_platform platform)
set(allowed_platform/qt platform platform/qt)
set(allowed_settings platform settings)
set(allowed_net platform net)
set(allowed_codec platform codec)
set(allowed_display platform settings display)
set(allowed_display/widgets ${allowed_display} platform/qt display/widgets)
set(allowed_engine platform settings net codec display engine)
set(allowed_protocol ${allowed_engine} protocol)
set(allowed_dcc ${allowed_protocol} dcc)
set(allowed_macro ${allowed_protocol} macro)
set(allowed_engine/widgets ${allowed_engine} platform/qt display/widgets engine/widgets)
set(allowed_protocol/widgets ${allowed_protocol} platform/qt display/widgets engine/widgets protocol/widgets)
set(allowed_dcc/widgets ${allowed_dcc} platform/qt display/widgets engine/widgets protocol/widgets dcc/widgets)
set(allowed_macro/widgets ${allowed_macro} platform/qt display/widgets engine/widgets protocol/widgets macro/widgets)
set(allowed_app ${allowed_protocol} dcc macro app)
set(allowed_app/widgets ${allowed_app} platform/qt display/widgets engine/widgets protocol/widgets dcc/widgets macro/widgets app/widgets)
# The program's entry puts the layers together, Qt ones included.
set(allowed_app/main.cpp ${allowed_app/widgets})

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(faults "")
foreach(source IN LISTS sources)
  get_filename_component(folder ${source} DIRECTORY)
  if(NOT DEFINED allowed_${folder})
    string(APPEND faults "\n  ${folder}: a folder without a layer (${source})")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
    get_filename_component(header_folder ${header} DIRECTORY)
    set(layer ${folder})
    if(DEFINED allowed_${source})
      set(layer ${source})
    endif()
    if(NOT header_folder IN_LIST allowed_${layer})
      string(APPEND faults "\n  ${source} includes ${header}")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes from a layer above:${faults}")
endif()
