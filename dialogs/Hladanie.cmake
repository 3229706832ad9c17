# The search window, its folding tables and its model; the index it searches is core's.
target_sources(platnovnik_dialogs PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SearchFolding.h ${CMAKE_CURRENT_LIST_DIR}/SearchFolding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SearchResultModel.h ${CMAKE_CURRENT_LIST_DIR}/SearchResultModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Hladanie.h ${CMAKE_CURRENT_LIST_DIR}/Hladanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Hladanie.ui
)
