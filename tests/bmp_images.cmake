# Test images for the BMP blitters, made at build time by ImageMagick with its
# own dump of their pixels, so that the native and the Windows test runs check
# the same files against values that none of our code produced. Under Wine the
# Linux root is drive Z:, and Windows takes forward slashes in paths.
if(TARGET test_raster)
  set(bmp_image_dir ${CMAKE_CURRENT_BINARY_DIR}/bmp_images)
  set(bmp_image_script ${CMAKE_CURRENT_SOURCE_DIR}/bmp_images.sh)
  add_custom_command(OUTPUT ${bmp_image_dir}/.made
    COMMAND bash ${bmp_image_script} ${bmp_image_dir}
    COMMAND ${CMAKE_COMMAND} -E touch ${bmp_image_dir}/.made
    DEPENDS ${bmp_image_script} VERBATIM)
  add_custom_target(bmp_images DEPENDS ${bmp_image_dir}/.made)
  add_dependencies(test_raster bmp_images)
  if(WIN32)
    set(bmp_image_path "Z:${bmp_image_dir}/")
  else()
    set(bmp_image_path "${bmp_image_dir}/")
  endif()
  target_compile_definitions(test_raster PRIVATE PIXWELL_BMP_IMAGE_DIR="${bmp_image_path}")
endif()
