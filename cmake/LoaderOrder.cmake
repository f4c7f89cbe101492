# The order in which the program names its libraries, for the release build that the package
# ships. At start-up the dynamic loader looks up some 12 900 symbols for the program, Qt's libraries
# and its plug-ins, each through the loaded libraries in the order the program names them, and
# stops at the first that has it. Most are found in Qt Core (2 850), Qt Gui (2 140), the C++
# library (2 010) and the C library (1 930); Qt Widgets has 410. The linker names them in the
# order the link needs them: Widgets, then Fontconfig and GMP, then Gui and Core, then the C++ and
# C libraries, so that most lookups first ask libraries that do not have the symbol. Naming Core,
# Gui, the C++ and C libraries, then Widgets first took the main window's first frame from 78.55 M
# to 76.92 M instructions (callgrind on Xvfb; the one-label window takes 68.36 M). With the
# editable list box's own saving (runtime/combo_box.cpp), startup_bench's processor-time ratio went
# from 1.142 and 1.149 to 1.115 and 1.125 (two measurements of 300 starts, the former and the new
# program in the same rounds).
# Only the order changes: each of these libraries is one the program needs anyway. Not in the
# sanitized builds, whose runtime must come first.
function(vireldo_loader_order target)
  if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT VIRELDO_SANITIZE)
    target_link_options(${target} PRIVATE
      "LINKER:--push-state,--no-as-needed"
      "$<TARGET_LINKER_FILE:Qt6::Core>"
      "$<TARGET_LINKER_FILE:Qt6::Gui>"
      "LINKER:-l:libstdc++.so.6,-l:libc.so.6"
      "$<TARGET_LINKER_FILE:Qt6::Widgets>"
      "LINKER:--pop-state")
  endif()
endfunction()
