# Makes the Debian package of this build folder with CPack, in a scratch folder, and unpacks it
# beside it, for the package tests:
#   cmake -D CPACK=<cpack> -D CONFIG=<CPackConfig.cmake> -D WORK=<folder> -P make_package.cmake
# leaves <folder>/deb/<the .deb> and its files under <folder>/root.
foreach(variable CPACK CONFIG WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "make_package.cmake needs -D ${variable}=...")
  endif()
endforeach()

# scripts/bootstrap installs these (dpkg-dev, file); the package cannot be checked without them.
foreach(tool dpkg-deb dpkg-shlibdeps file)
  find_program(tool_path_${tool} ${tool})
  if(NOT tool_path_${tool})
    message(FATAL_ERROR "${tool} is missing: run scripts/bootstrap")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/deb ${WORK}/root)

execute_process(COMMAND ${CPACK} --config ${CONFIG} -B ${WORK}/deb
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()

file(GLOB packages ${WORK}/deb/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages instead of one: ${packages}\n${output}")
endif()

execute_process(COMMAND ${tool_path_dpkg-deb} -x ${packages} ${WORK}/root
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed:\n${output}")
endif()
message(STATUS "Made ${packages}")
