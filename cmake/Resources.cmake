# Files embedded into the program: the dialog templates and string table (one source for every UI)
# with the ids header the script includes (resources/), and the default machine of the simulated
# host (platform/sim/). A generated source belongs to the folder whose target compiles it, so each
# folder embeds its own files.
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

