# Unpacks the release package that scripts/package made, for the package tests:
#   cmake -D PACKAGES=<folder of the .deb> -D WORK=<folder> -P unpack_package.cmake
# leaves its files under <folder>/root. The package is not made here: the release build takes
# minutes, and the tests must see the package exactly as scripts/package ships it.
foreach(variable PACKAGES WORK)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "unpack_package.cmake needs -D ${variable}=...")
  endif()
endforeach()

# scripts/bootstrap installs dpkg-dev and file; the package cannot be checked without them.
foreach(tool dpkg-deb dpkg-shlibdeps file)
  find_program(tool_path_${tool} ${tool})
  if(NOT tool_path_${tool})
    message(FATAL_ERROR "${tool} is missing: run scripts/bootstrap")
  endif()
endforeach()

file(GLOB packages ${PACKAGES}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected the one release package in ${PACKAGES}, found ${count}: run "
                      "scripts/package first (scripts/test does)")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root)
execute_process(COMMAND ${tool_path_dpkg-deb} -x ${packages} ${WORK}/root
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed:\n${output}")
endif()
message(STATUS "Unpacked ${packages}")
