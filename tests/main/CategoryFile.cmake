add_parvex_test(category_file_test ${CMAKE_CURRENT_LIST_DIR}/CategoryFileTest.cpp LIBS category_file)
