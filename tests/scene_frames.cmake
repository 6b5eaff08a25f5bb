# Drives the OpenGL scene through a fixed key sequence with pixwell-scene
# (built in tools/) and keeps its frames in the build tree, where the test
# command compares the native build's frames with the Windows build's.
# The count's line may come after what other processes print: under QEMU,
# Wine's desktop process, started with the first window, sometimes dies
# noisily while the tool goes on.
add_test(NAME scene_frames_tool COMMAND pixwell-scene --frames ${CMAKE_BINARY_DIR}/scene_frames)
set_tests_properties(scene_frames_tool PROPERTIES TIMEOUT 60 LABELS scene3d
                     PASS_REGULAR_EXPRESSION "(^|\n)11 frames written")
