# The monkey's own judgement (tools/lab_monkey): a Lab stopped a few seconds
# in must be reported as hung with its window's thread idle, and one that a
# signal kills as ended by itself. softpipe, as scripts/monkey chooses it:
# llvmpipe's compiled code and ASan's full unwinding deadlock in libgcc.
if(WIN32)
  return()
endif()
set(monkey_test_environment
    "PIXWELL_MONKEY_SEED=1;GALLIUM_DRIVER=softpipe;ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
foreach(case IN ITEMS "hang;STOP;FAILED: no presentation for [0-9.]+ s, of which its window's thread was busy 0\\.[0-4] s"
                      "crash;SEGV;FAILED: ended by itself")
  list(GET case 0 name)
  list(GET case 1 signal)
  list(GET case 2 expected)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/lab_monkey_${name})
  add_test(NAME lab_monkey_sees_a_${name}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/on_private_display.sh ${dir}
            $<TARGET_FILE:pixwell-lab-monkey> --seconds 40 --logs ${dir}
            ${CMAKE_CURRENT_SOURCE_DIR}/signal_later.sh ${signal} 8 $<TARGET_FILE:pixwell-lab>)
  set_tests_properties(lab_monkey_sees_a_${name} PROPERTIES TIMEOUT 120
    PASS_REGULAR_EXPRESSION "run 1: [^\n]*${expected}" ENVIRONMENT "${monkey_test_environment}")
endforeach()
