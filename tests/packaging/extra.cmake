add_test(NAME package_deb
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-package.sh ${CMAKE_BINARY_DIR})
set_tests_properties(package_deb PROPERTIES TIMEOUT 600)
