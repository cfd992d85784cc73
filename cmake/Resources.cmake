# Files embedded into the program: the dialog templates and string table (one source for every UI)
# with the ids header the script includes, and the default machine of the simulated host.
function(nimbrel_embed input symbol out_var)
  set(output ${CMAKE_BINARY_DIR}/generated/embedded_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${input} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${input}")
  set(${out_var} ${output} PARENT_SCOPE)
endfunction()

nimbrel_embed(${CMAKE_SOURCE_DIR}/res/nimbrel.rc g_szResourceScript rc_cpp)
nimbrel_embed(${CMAKE_SOURCE_DIR}/res/resource_ids.h g_szResourceIds ids_cpp)
set(NIMBREL_RESOURCE_SOURCES ${rc_cpp} ${ids_cpp})

nimbrel_embed(${CMAKE_SOURCE_DIR}/platform/sim/machines/default.json g_szDefaultMachine machine_cpp)
set(NIMBREL_MACHINE_SOURCES ${machine_cpp})
