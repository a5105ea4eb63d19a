# Puts packed skins into a form description: every binary block that names a skin folder,
# "CompressedData = {skins/main}", receives the bytes the skin packer made of that folder, so the
# stored forms carry their skins while only the skin's source is kept. A block of hex digits never
# holds a "/", so only folder names are taken.
#
#   cmake -DIN=<form.dfm> -DOUT=<filled.dfm> -DPACKS=<folder of <name>.pack files> -P FillFormSkins.cmake
# A folder is found as PACKS/<last part of its path>.pack.
file(READ ${IN} text)
set(filled "")
while(text MATCHES "([Cc]ompressed[Dd]ata[ \t]*=[ \t]*){([^}/]*/[^}]*)}")
  set(placeholder "${CMAKE_MATCH_0}")
  set(prefix "${CMAKE_MATCH_1}")
  get_filename_component(name "${CMAKE_MATCH_2}" NAME)
  set(pack "${PACKS}/${name}.pack")
  if(NOT EXISTS "${pack}")
    message(FATAL_ERROR "${IN}: no packed skin ${pack} for ${placeholder}")
  endif()
  file(READ "${pack}" bytes HEX)
  string(TOUPPER "${bytes}" bytes)
  string(LENGTH "${bytes}" total)
  set(lines "")
  set(offset 0)
  while(offset LESS total)
    string(SUBSTRING "${bytes}" ${offset} 64 line)
    string(APPEND lines "\n      ${line}")
    math(EXPR offset "${offset} + 64")
  endwhile()
  string(FIND "${text}" "${placeholder}" at)
  string(SUBSTRING "${text}" 0 ${at} before)
  string(LENGTH "${placeholder}" length)
  math(EXPR rest "${at} + ${length}")
  string(SUBSTRING "${text}" ${rest} -1 text)
  string(APPEND filled "${before}${prefix}{${lines}}")
endwhile()
string(APPEND filled "${text}")
file(WRITE ${OUT}.tmp "${filled}")
file(RENAME ${OUT}.tmp ${OUT})
