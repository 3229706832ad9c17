# The search window and its matching, which works on the records' bytes without a window.
target_sources(platnovnik_dialogs PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SearchIndex.h ${CMAKE_CURRENT_LIST_DIR}/SearchIndex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SearchFolding.h ${CMAKE_CURRENT_LIST_DIR}/SearchFolding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SearchResultModel.h ${CMAKE_CURRENT_LIST_DIR}/SearchResultModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Hladanie.h ${CMAKE_CURRENT_LIST_DIR}/Hladanie.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Hladanie.ui
)
