# gradova_gbk_texts(<target> <input.txt> <generated/header.h> <namespace>)
# Generates a header of GBK string constants from a UTF-8 text list and adds it to <target>; it is
# included as "<header.h>" through gradova_includes.
function(gradova_gbk_texts target input header namespace)
  set(output "${PROJECT_BINARY_DIR}/generated/${header}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND gbk_texts "${CMAKE_CURRENT_SOURCE_DIR}/${input}" "${output}" "${namespace}"
    DEPENDS gbk_texts "${CMAKE_CURRENT_SOURCE_DIR}/${input}"
    COMMENT "Generating GBK texts ${header}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()
