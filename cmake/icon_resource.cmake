# Turns a 32 by 32 XPM picture of at most 16 colours into a resource script
# holding it as the icon group "IDI_APPLICATION": one 4-bit icon image (type
# 3) and its group directory (type 14), written as raw words for windres.
# Usage: cmake -DXPM=picture.xpm -DRC=out.rc -P icon_resource.cmake
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${XPM} quoted REGEX "^\"")
list(TRANSFORM quoted REPLACE "^\"(.*)\",?$" "\\1")
list(POP_FRONT quoted header)
string(REPLACE " " ";" header "${header}")
list(GET header 0 width)
list(GET header 1 height)
list(GET header 2 colours)
if(NOT width EQUAL 32 OR NOT height EQUAL 32 OR colours GREATER 16)
  message(FATAL_ERROR "${XPM}: the icon must be 32 by 32 in at most 16 colours")
endif()

# Palette: the pixel character's index, and the colour as blue, green, red, 0.
set(bytes "")
set(keys "")
foreach(index RANGE 15)
  if(index LESS colours)
    list(POP_FRONT quoted entry)
    string(SUBSTRING "${entry}" 0 1 key)
    string(REGEX MATCH "#([0-9A-Fa-f][0-9A-Fa-f])([0-9A-Fa-f][0-9A-Fa-f])([0-9A-Fa-f][0-9A-Fa-f])" _ "${entry}")
    list(APPEND keys "${key}")
    list(APPEND bytes 0x${CMAKE_MATCH_3} 0x${CMAKE_MATCH_2} 0x${CMAKE_MATCH_1} 0)
  else()
    list(APPEND bytes 0 0 0 0)
  endif()
endforeach()
set(palette ${bytes})

# Pixels: bottom row first, two pixels a byte, the left one in the high half.
set(pixels "")
foreach(row RANGE 31 0 -1)
  list(GET quoted ${row} line)
  foreach(column RANGE 0 31 2)
    math(EXPR right "${column} + 1")
    string(SUBSTRING "${line}" ${column} 1 left_key)
    string(SUBSTRING "${line}" ${right} 1 right_key)
    list(FIND keys "${left_key}" high)
    list(FIND keys "${right_key}" low)
    math(EXPR byte "${high} * 16 + ${low}")
    list(APPEND pixels ${byte})
  endforeach()
endforeach()

# Image: header (height doubled for the mask), palette, pixels, and an
# all-zero mask (every pixel opaque).
set(image_bytes 744)
set(words "40L, 32L, 64L, 1, 4, 0L, 640L, 0L, 0L, 16L, 0L")
set(all ${palette} ${pixels})
foreach(i RANGE 1 64)
  list(APPEND all 0 0)
endforeach()
list(LENGTH all count)
math(EXPR last "${count} - 2")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET all ${i} low_byte)
  list(GET all ${j} high_byte)
  math(EXPR word "(${high_byte}) * 256 + (${low_byte})" OUTPUT_FORMAT HEXADECIMAL)
  string(APPEND words ", ${word}")
endforeach()

file(WRITE ${RC} "// Made from ${XPM} by icon_resource.cmake.\n"
  "1 3 { ${words} }\n"
  "IDI_APPLICATION 14 { 0, 1, 1, 0x2020, 16, 1, 4, ${image_bytes}L, 1 }\n")
