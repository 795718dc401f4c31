# Reader of the category file and builder of the category tree.
add_library(category_file STATIC ${CMAKE_CURRENT_LIST_DIR}/CategoryFile.cpp)
target_include_directories(category_file PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(category_file PUBLIC platform_gbk Qt6::Widgets)
