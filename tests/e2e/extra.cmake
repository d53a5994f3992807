# The whole-run tests start the teacher's tool to make the school database and decode the report.
if(TARGET tst_classroom AND TARGET kvizmat-ucitel)
  add_dependencies(tst_classroom kvizmat-ucitel)
endif()
