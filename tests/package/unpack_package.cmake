# Unpacks the release package that scripts/package made, for the package tests:
#   cmake -D PACKAGES=<folder of the .deb> -D SOURCES=<source tree> -D WORK=<folder>
#         -P unpack_package.cmake
# leaves its files under <folder>/root. The package is not made here: the release build takes
# minutes, and the tests must see the package exactly as scripts/package ships it. A package older
# than a source it is made from is refused, so that the tests never pass on a stale one.
cmake_minimum_required(VERSION 3.25)

foreach(variable PACKAGES SOURCES WORK)
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

# What the package is made from: every file git tracks but the tests, benchmarks, fuzz targets,
# documentation pictures, the README and the dot files. A changed file is newer than the package.
find_program(tool_path_git git)
if(NOT tool_path_git)
  message(FATAL_ERROR "git is missing: it lists the sources the package must not be older than")
endif()
execute_process(COMMAND ${tool_path_git} -C ${SOURCES} -c core.quotepath=off ls-files
                RESULT_VARIABLE status OUTPUT_VARIABLE listed ERROR_VARIABLE said)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "git ls-files in ${SOURCES} failed, so the package's age cannot be checked:\n"
                      "${said}")
endif()
string(STRIP "${listed}" listed)
string(REPLACE "\n" ";" sources "${listed}")
list(FILTER sources EXCLUDE REGEX "^(tests|bench|fuzz|docs)/|^\\.|^README\\.md$")

file(TIMESTAMP ${packages} package_time "%s")
set(newer)
foreach(source IN LISTS sources)
  if(EXISTS ${SOURCES}/${source})
    file(TIMESTAMP ${SOURCES}/${source} source_time "%s")
    if(source_time GREATER package_time)
      list(APPEND newer ${source})
    endif()
  endif()
endforeach()
list(LENGTH newer newer_count)
if(newer_count GREATER 0)
  file(TIMESTAMP ${packages} package_made "%Y-%m-%d %H:%M:%S")
  list(SUBLIST newer 0 5 shown)
  list(JOIN shown "\n  " shown)
  message(FATAL_ERROR "${packages} (made ${package_made}) is older than the sources it is made "
                      "from: ${newer_count} file(s) changed since, among them\n  ${shown}\n"
                      "Make it again with scripts/package (scripts/test does).")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root)
execute_process(COMMAND ${tool_path_dpkg-deb} -x ${packages} ${WORK}/root
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed:\n${output}")
endif()
message(STATUS "Unpacked ${packages}")
