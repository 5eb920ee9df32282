# Stored form descriptions: their text form is kept in forms/; the form compiler (formc)
# turns each into a binary object stream, which a Windows program embeds as an RCDATA
# resource named after the form's class. Artwork and other binary files (a compiled
# dictionary, say) stay files of their own: a form pulls them into binary properties with
# File('name') (or a whole other text form with Form('name')), so forms/ holds no pasted hex.
#
# A cross build runs the native formc from VD_HOST_TOOLS_DIR; build the native side first.

set(VD_HOST_TOOLS_DIR "${PROJECT_SOURCE_DIR}/build/native/bin" CACHE PATH
    "Folder of the native host tools (formc, dictc) that a cross build runs")

# vd_compile_form(OUT_VAR SOURCE [INCLUDE_DIRS dir...] [DEPENDS file-or-target...])
# Compiles SOURCE into ${CMAKE_CURRENT_BINARY_DIR}/forms/<name>.bin and sets OUT_VAR to its
# path. File(...) and Form(...) are looked up beside SOURCE, then in INCLUDE_DIRS; the files
# they name become dependencies through a depfile. DEPENDS names what has to be built first,
# such as a generated file the form pulls in.
function(vd_compile_form out_var source)
  cmake_parse_arguments(ARG "" "" "INCLUDE_DIRS;DEPENDS" ${ARGN})
  get_filename_component(source "${source}" ABSOLUTE)
  get_filename_component(name "${source}" NAME_WE)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/forms/${name}.bin")
  if(CMAKE_CROSSCOMPILING)
    set(formc "${VD_HOST_TOOLS_DIR}/formc")
    if(NOT EXISTS "${formc}")
      message(FATAL_ERROR "${formc} is missing: build the native tools first (make native)")
    endif()
    list(APPEND ARG_DEPENDS "${formc}")
  else()
    set(formc "$<TARGET_FILE:formc>")
    list(APPEND ARG_DEPENDS formc)
  endif()
  set(includes)
  foreach(dir IN LISTS ARG_INCLUDE_DIRS)
    get_filename_component(dir "${dir}" ABSOLUTE)
    list(APPEND includes -I "${dir}")
  endforeach()
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/forms"
    COMMAND "${formc}" to-binary "${source}" "${output}" ${includes} --depfile "${output}.d"
    DEPENDS "${source}" ${ARG_DEPENDS}
    DEPFILE "${output}.d"
    COMMENT "Compiling the form ${name}"
    VERBATIM)
  set(${out_var} "${output}" PARENT_SCOPE)
endfunction()

# vd_embed_form(TARGET NAME SOURCE [INCLUDE_DIRS dir...] [DEPENDS file-or-target...])
# Compiles SOURCE as vd_compile_form does and embeds the result in the Windows target as
# the RCDATA resource NAME (the form's class name, say TVDMonMain; the system looks
# resource names up without regard to case). For example, a form that pulls in the
# compiled built-in dictionary with File('Monitor.dict.bin'):
#
#   vd_embed_form(VDMon TVDMonMain ${PROJECT_SOURCE_DIR}/forms/VDMonMain.form
#                 INCLUDE_DIRS ${CMAKE_BINARY_DIR}/forms DEPENDS vd_dictionaries)
function(vd_embed_form target name source)
  vd_compile_form(binary "${source}" ${ARGN})
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/forms/${name}.rc")
  file(CONFIGURE OUTPUT "${rc}" CONTENT "${name} RCDATA \"${binary}\"\n")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${binary}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()
