# Includes point down the layers, and the build holds them to it: a target is compiled with an include view,
# a folder in the build tree holding links to the folders it may include, instead of the repository root.
# Sources still include from the root ("platform/afx/CString.h"); an include of a folder the view lacks
# fails to compile. Tests, benchmarks and the examples see the whole tree.

# tarn_include_view(TARGET FOLDER...): TARGET sees FOLDER... (paths from the repository root).
function(tarn_include_view target)
  set(view ${PROJECT_BINARY_DIR}/include-views/${target})
  file(REMOVE_RECURSE ${view})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${view}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE ${view})
  set_property(GLOBAL PROPERTY TARN_INCLUDE_VIEW_${target} ${view})
endfunction()

# The folders each layer may include, lowest first. Within platform/, win is the bottom; afx is the
# framework over it; the controls, the list view and the painter are built on those; the front ends on
# the painter.
set(TARN_SEES_WIN platform/win)
set(TARN_SEES_AFX ${TARN_SEES_WIN} platform/afx)
set(TARN_SEES_CONTRACTS ${TARN_SEES_AFX} contracts)
# The run the program hands the host libraries sits below them, beside the contracts.
set(TARN_SEES_RUN ${TARN_SEES_CONTRACTS} hostlibs/run)
