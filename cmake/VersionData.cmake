# Reads the version data from ui/res/version_texts.txt, the list the program takes its own name
# and version from, so that the desktop entry, the AppStream metainfo, the Windows version
# resource and the Debian package cannot drift from what the program itself shows.
# Sets GRADOVA_FILE_DESCRIPTION, GRADOVA_PRODUCT_NAME, GRADOVA_ORIGINAL_FILENAME,
# GRADOVA_FILE_VERSION and GRADOVA_PRODUCT_VERSION (dotted, each also as _COMMAS, the resource
# compiler's "1,0,0,1"), and GRADOVA_HOME_PAGE from gpa/report.h.
function(gradova_read_version_data)
  set(list "${PROJECT_SOURCE_DIR}/ui/res/version_texts.txt")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${list}")
  file(STRINGS "${list}" lines ENCODING UTF-8 REGEX "^k[A-Za-z]+ ")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^k([A-Za-z]+) (.*)$" _ "${line}")
    set(value "${CMAKE_MATCH_2}")
    # kFileVersion becomes GRADOVA_FILE_VERSION.
    string(REGEX REPLACE "([a-z])([A-Z])" "\\1_\\2" key "${CMAKE_MATCH_1}")
    string(TOUPPER "${key}" key)
    set(GRADOVA_${key} "${value}")
  endforeach()
  foreach(key FILE_DESCRIPTION PRODUCT_NAME ORIGINAL_FILENAME FILE_VERSION PRODUCT_VERSION)
    if(NOT DEFINED GRADOVA_${key})
      message(FATAL_ERROR "${list} has no version text for ${key}")
    endif()
    set(GRADOVA_${key} "${GRADOVA_${key}}" PARENT_SCOPE)
  endforeach()
  # gradova-cli --version prints the project version; both must name the same release.
  if(NOT GRADOVA_FILE_VERSION STREQUAL PROJECT_VERSION OR
     NOT GRADOVA_PRODUCT_VERSION STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The version texts in ${list} (${GRADOVA_FILE_VERSION}, "
      "${GRADOVA_PRODUCT_VERSION}) differ from the project version ${PROJECT_VERSION}")
  endif()
  foreach(key FILE_VERSION PRODUCT_VERSION)
    string(REPLACE "." "," commas "${GRADOVA_${key}}")
    set(GRADOVA_${key}_COMMAS "${commas}" PARENT_SCOPE)
  endforeach()

  set(report "${PROJECT_SOURCE_DIR}/gpa/report.h")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${report}")
  file(STRINGS "${report}" url REGEX "kHomePageUrl\\[\\] = \"[^\"]+\"")
  if(NOT url MATCHES "\"([^\"]+)\"")
    message(FATAL_ERROR "${report} has no kHomePageUrl")
  endif()
  set(GRADOVA_HOME_PAGE "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
