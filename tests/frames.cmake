# Plays the animation through pixwell-frames (built in tools/) and keeps the
# frames it saved in the build tree, where the test command compares the
# native build's frames with the Windows build's.
# The count's line may come after what other processes print: under QEMU,
# Wine's desktop process, started with the first window, sometimes dies
# noisily while the tool goes on.
add_test(NAME frames_tool COMMAND pixwell-frames --ticks 40 --out ${CMAKE_BINARY_DIR}/frames)
# Tick 1 renders; ticks 2 to 40 show frames 0 to 35 and then 0 to 2 again.
set_tests_properties(frames_tool PROPERTIES TIMEOUT 60 PASS_REGULAR_EXPRESSION "(^|\n)39 frames written")
