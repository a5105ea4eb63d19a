# Skins travel inside the stored forms: the skin packer (tools/skinpack, a Winelib program run
# under Wine in the build's own prefix) packs each skin folder, and the forms that name a folder
# in their "CompressedData" get its bytes before the resource compiler reads them.

set(TAVREL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(TAVREL_WINE_ENV WINEPREFIX=${TAVREL_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=)
set(TAVREL_PACK_DIR ${CMAKE_BINARY_DIR}/skins)

# The prefix is made once, by one command, before the first packing needs it.
add_custom_command(OUTPUT ${TAVREL_WINEPREFIX}/system.reg
  COMMAND ${CMAKE_COMMAND} -E env ${TAVREL_WINE_ENV} ${CMAKE_SOURCE_DIR}/scripts/wine-prefix
  COMMENT "Making the build's Wine prefix")
# The packing commands live in other folders of the build, which reach a custom command's output
# only through a target (with Unix makefiles a bare file dependency has no rule there).
add_custom_target(tavrel_wineprefix DEPENDS ${TAVREL_WINEPREFIX}/system.reg)

# tavrel_pack_skin(<folder relative to the source root>): <build>/skins/<last part>.pack
function(tavrel_pack_skin folder)
  get_filename_component(name ${folder} NAME)
  file(GLOB skin_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*)
  set(pack ${TAVREL_PACK_DIR}/${name}.pack)
  add_custom_command(OUTPUT ${pack}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVREL_PACK_DIR}
    COMMAND ${CMAKE_COMMAND} -E env ${TAVREL_WINE_ENV}
            ${CMAKE_BINARY_DIR}/tools/skinpack.exe ${CMAKE_SOURCE_DIR}/${folder} ${pack}
    DEPENDS skinpack ${skin_files} tavrel_wineprefix
    COMMENT "Packing the skin ${folder}")
endfunction()

# tavrel_fill_form(<form.dfm> <output.dfm> <skin folders...>): the form with its skins put in.
function(tavrel_fill_form form output)
  set(packs)
  foreach(folder ${ARGN})
    get_filename_component(name ${folder} NAME)
    list(APPEND packs ${TAVREL_PACK_DIR}/${name}.pack)
  endforeach()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DIN=${form} -DOUT=${output} -DPACKS=${TAVREL_PACK_DIR}
            -P ${CMAKE_SOURCE_DIR}/cmake/FillFormSkins.cmake
    DEPENDS ${form} ${packs} ${CMAKE_SOURCE_DIR}/cmake/FillFormSkins.cmake
    COMMENT "Putting the skins into ${form}")
endfunction()

# tavrel_pack_built_skin(<name> <folder of the build tree> <target that makes the folder>): packs a
# skin folder made by the build (the drawn skins: skin.ini beside its pictures, written last) into
# <build>/skins/<name>.pack.
function(tavrel_pack_built_skin name folder target)
  set(pack ${TAVREL_PACK_DIR}/${name}.pack)
  add_custom_command(OUTPUT ${pack}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVREL_PACK_DIR}
    COMMAND ${CMAKE_COMMAND} -E env ${TAVREL_WINE_ENV}
            ${CMAKE_BINARY_DIR}/tools/skinpack.exe ${folder} ${pack}
    DEPENDS skinpack ${target} ${folder}/skin.ini tavrel_wineprefix
    COMMENT "Packing the skin ${name}")
endfunction()
