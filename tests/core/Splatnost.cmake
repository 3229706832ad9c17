# Reading due dates as users type them, and how late a loan is.
add_executable(tst_splatnost ${CMAKE_CURRENT_LIST_DIR}/tst_splatnost.cpp)
target_link_libraries(tst_splatnost PRIVATE platnovnik_core GTest::gtest_main)
add_test(NAME tst_splatnost COMMAND tst_splatnost)
