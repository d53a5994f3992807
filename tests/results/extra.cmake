# The helper process of the store tests: a writer (or a lock holder) started many times at once.
add_executable(kvizmat_store_writer ${CMAKE_CURRENT_LIST_DIR}/storewriter.cpp)
target_include_directories(kvizmat_store_writer PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(kvizmat_store_writer PRIVATE kvizmat_ui)
foreach(store_test tst_results_schoolstore tst_results_storefaults tst_results_storeconcurrency tst_results_teachertool)
  if(TARGET ${store_test})
    add_dependencies(${store_test} kvizmat_store_writer kvizmat-ucitel)
  endif()
endforeach()
