# Drives the OpenGL scene through a fixed key sequence with pixwell-scene
# (built in tools/) and keeps its frames in the build tree, where the test
# command compares the native build's frames with the Windows build's.
add_test(NAME scene_frames_tool COMMAND pixwell-scene --frames ${CMAKE_BINARY_DIR}/scene_frames)
set_tests_properties(scene_frames_tool PROPERTIES TIMEOUT 60 LABELS scene3d
                     PASS_REGULAR_EXPRESSION "^11 frames written")
