# Fails when a file under CORE includes a header of the window or the command line, or of Qt's Gui or
# Widgets; touches STAMP otherwise.
set(forbidden [[#[ \t]*include[ \t]*[<"](window/|cli/|QtGui|QtWidgets|QWidget|QPainter|QImage|QColor|QAction|QUndo)]])
file(GLOB_RECURSE sources ${CORE}/*.h ${CORE}/*.cpp)
foreach(source IN LISTS sources)
    file(STRINGS ${source} hits REGEX "${forbidden}")
    if(hits)
        message(FATAL_ERROR "${source} is code without a window but includes: ${hits}")
    endif()
endforeach()
file(TOUCH ${STAMP})
