# Windows resource scripts in the Linux build: windres compiles the script to a .res file,
# whose bytes are embedded in the program and registered with the platform before main runs.
#
# The same file, run with cmake -P, turns a .res file into that C++ source.

if(CMAKE_SCRIPT_MODE_FILE)
  # cmake -DRES=<file.res> -DOUT=<file.cpp> -P Resources.cmake
  file(READ "${RES}" bytes HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
  file(WRITE "${OUT}"
"// Generated from ${RES}; do not edit.
#include \"kernel/resources.h\"

namespace {

alignas(4) const unsigned char kResources[] = {
    ${bytes}
};

// Registered during static initialisation, before anything can look a resource up.
const qv::kernel::ModuleResourcesRegistration kRegistration(kResources, sizeof kResources);

} // namespace
")
  return()
endif()

find_program(QV_WINDRES NAMES i686-w64-mingw32-windres REQUIRED)
set(QV_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# qv_add_resources(<target> <file.rc>)
# Compiles the script and adds its bytes to <target>, which must be an executable or an OBJECT
# library linked into one: in a static library nothing would refer to the registration, so the
# linker would drop it. The target must also link the platform (qv_kernel).
function(qv_add_resources target rc)
  get_filename_component(rc ${rc} ABSOLUTE)
  get_filename_component(rc_dir ${rc} DIRECTORY)
  get_filename_component(rc_name ${rc} NAME_WE)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources)
  set(res ${out_dir}/${rc_name}.res)
  set(cpp ${out_dir}/${rc_name}_res.cpp)
  file(MAKE_DIRECTORY ${out_dir})

  # Files the script names (icons, the manifest...): the preprocessor's dependency list only
  # holds headers, so scan the script for quoted names of files beside it.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rc})
  file(STRINGS ${rc} quoted REGEX "\"[^\"]+\\.[A-Za-z0-9]+\"")
  set(referenced)
  foreach(line IN LISTS quoted)
    string(REGEX MATCHALL "\"[^\"]+\\.[A-Za-z0-9]+\"" names "${line}")
    foreach(name IN LISTS names)
      string(REPLACE "\"" "" name "${name}")
      if(EXISTS ${rc_dir}/${name} AND NOT IS_DIRECTORY ${rc_dir}/${name})
        list(APPEND referenced ${rc_dir}/${name})
      endif()
    endforeach()
  endforeach()

  # Narrow texts in the script are Windows-1252, as the program's own code page.
  add_custom_command(
    OUTPUT ${res}
    COMMAND ${QV_WINDRES} -c 1252 -O res -I ${rc_dir}
            --preprocessor-arg=-MD --preprocessor-arg=-MT --preprocessor-arg=${res}
            --preprocessor-arg=-MF --preprocessor-arg=${res}.d
            -i ${rc} -o ${res}
    DEPENDS ${rc} ${referenced}
    DEPFILE ${res}.d
    WORKING_DIRECTORY ${rc_dir}
    COMMENT "Compiling resources ${rc_name}.rc"
    VERBATIM)
  add_custom_command(
    OUTPUT ${cpp}
    COMMAND ${CMAKE_COMMAND} -DRES=${res} -DOUT=${cpp} -P ${QV_RESOURCES_SCRIPT}
    DEPENDS ${res} ${QV_RESOURCES_SCRIPT}
    COMMENT "Embedding resources ${rc_name}.res"
    VERBATIM)
  target_sources(${target} PRIVATE ${cpp})
  set_source_files_properties(${cpp} PROPERTIES INCLUDE_DIRECTORIES ${QV_PLATFORM_DIR})
  set_property(TARGET ${target} APPEND PROPERTY QV_RESOURCE_FILES ${res})
endfunction()
