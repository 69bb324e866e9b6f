# Installs the build folder BUILD_DIR into the scratch folder SCRATCH (as
# DESTDIR) and checks that the program, its print module, the tools, the data
# folder, the menu entry and the icons land where a Debian desktop looks for
# them.
#   cmake -DBUILD_DIR=... -DSCRATCH=... -DPREFIX=/usr -DMODULE_DIR=lib/x86_64-linux-gnu/tarnix -P CheckInstallLayout.cmake
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${SCRATCH} ${CMAKE_COMMAND} --install ${BUILD_DIR}
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(root ${SCRATCH}${PREFIX})
set(problems "")
foreach(file
    bin/TarnixConnect bin/tarnix-setup bin/router-sim ${MODULE_DIR}/libtarnix-print.so
    share/tarnix/default.ini share/tarnix/pic/BG/1000.gif share/tarnix/pic/BUTTON/next/next.bmp
    share/tarnix/pic/PROGRESS/PROGRESS20.gif share/tarnix/lang/1033/HowTo.html
    share/tarnix/docs/KRX-5100A-Technical-Manual.pdf
    share/applications/tarnix-setup.desktop
    share/icons/hicolor/scalable/apps/tarnix-setup.svg
    share/icons/hicolor/48x48/apps/tarnix-setup.png
    share/icons/hicolor/128x128/apps/tarnix-setup.png
    share/icons/hicolor/256x256/apps/tarnix-setup.png)
  if(NOT EXISTS ${root}/${file})
    string(APPEND problems "missing: ${file}\n")
  endif()
endforeach()

# Build files and the sources the pictures are drawn from stay behind.
file(GLOB_RECURSE stray RELATIVE ${root} ${root}/share/tarnix/*CMakeLists.txt
  ${root}/share/tarnix/*.sh ${root}/share/tarnix/icons/*)
foreach(file ${stray})
  string(APPEND problems "not to be installed: ${file}\n")
endforeach()

set(entry ${root}/share/applications/tarnix-setup.desktop)
if(EXISTS ${entry})
  # Semicolons would split CMake lists: compare with commas instead.
  file(READ ${entry} text)
  string(REPLACE ";" "," text "\n${text}")
  foreach(line "Type=Application" "Name=Tarnix Setup Wizard" "Exec=TarnixConnect"
      "Icon=tarnix-setup" "Categories=Network,"
      "Keywords=router,modem,wireless,internet,setup,")
    string(FIND "${text}" "\n${line}\n" at)
    if(at EQUAL -1)
      string(APPEND problems "desktop entry lacks ${line}\n")
    endif()
  endforeach()
  # Its one hint, two main categories, is what the menu is meant to show.
  find_program(VALIDATE desktop-file-validate REQUIRED)
  execute_process(COMMAND ${VALIDATE} --no-hints ${entry} OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE invalid)
  if(invalid OR said)
    string(APPEND problems "desktop-file-validate: ${said}\n")
  endif()
endif()

if(problems)
  message(FATAL_ERROR "install layout under ${root}:\n${problems}")
endif()
