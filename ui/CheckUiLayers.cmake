# Fails when a ui file includes a header from a floor above its own. From the bottom: platform and
# chart (each only itself), then the analysis window's rooms widgets, output, parts and window,
# then shell, which may use them all. Relative includes that climb ("../") are refused anywhere,
# since they would slip past the rule.
# Run as: cmake -DUI_DIR=<source>/ui -P CheckUiLayers.cmake
cmake_minimum_required(VERSION 3.20)
if(NOT UI_DIR)
  message(FATAL_ERROR "UI_DIR is not set")
endif()

set(_allowed_platform platform)
set(_allowed_chart chart)
set(_allowed_analysis/widgets platform chart analysis/widgets)
set(_allowed_analysis/output platform chart analysis/widgets analysis/output)
set(_allowed_analysis/parts platform chart analysis/widgets analysis/output analysis/parts)
set(_allowed_analysis/window ${_allowed_analysis/parts} analysis/window)
set(_folders platform chart analysis/widgets analysis/output analysis/parts analysis/window)

set(_wrong)
foreach(folder ${_folders})
  file(GLOB _files ${UI_DIR}/${folder}/*.cpp ${UI_DIR}/${folder}/*.h)
  foreach(file ${_files})
    file(STRINGS ${file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]ui/")
    foreach(line ${_includes})
      string(REGEX MATCH "[\"<]ui/(.*)/[^/]+[\">]" _match "${line}")
      set(_target "${CMAKE_MATCH_1}")
      if(NOT _target IN_LIST _allowed_${folder})
        string(STRIP "${line}" line)
        list(APPEND _wrong "${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

file(GLOB_RECURSE _all ${UI_DIR}/*.cpp ${UI_DIR}/*.h)
foreach(file ${_all})
  file(STRINGS ${file} _climbing REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*\\.\\./")
  foreach(line ${_climbing})
    string(STRIP "${line}" line)
    list(APPEND _wrong "${file}: ${line} (climbing relative include)")
  endforeach()
endforeach()

if(_wrong)
  list(JOIN _wrong "\n  " _text)
  message(FATAL_ERROR "ui includes that run up a floor:\n  ${_text}")
endif()
