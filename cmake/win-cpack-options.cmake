# Read by CPack for each generator (CPACK_PROJECT_CONFIG_FILE): the zip opens onto the program
# itself, with no folder around it.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
