# gradova_gbk_texts(<target> <input.txt> <generated/header.h> <namespace>)
# Generates a header of GBK string constants from a UTF-8 text list and adds it to <target>.
function(gradova_gbk_texts target input header namespace)
  set(output "${PROJECT_BINARY_DIR}/generated/${header}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND gbk_texts "${CMAKE_CURRENT_SOURCE_DIR}/${input}" "${output}" "${namespace}"
    DEPENDS gbk_texts "${CMAKE_CURRENT_SOURCE_DIR}/${input}"
    COMMENT "Generating GBK texts ${header}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
  target_include_directories(${target} PUBLIC "${PROJECT_BINARY_DIR}/generated")
endfunction()
