// Whole-picture comparison for the pixel tests. A mismatch is reported by
// where the pictures differ and by three PNG files, the expected picture, the
// actual one and their difference, instead of a dump of two long vectors.
//
// The files go to the folder named by PIXWELL_TEST_PICTURES, or else to the
// build tree's Testing/pictures folder; each is named after the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/picture.h"

// The predicate of EXPECT_SAME_PICTURE: succeeds when both pictures have the
// same size, depth and cells.
testing::AssertionResult pictures_match(const char* expected_text, const char* actual_text,
                                        const Picture& expected, const Picture& actual);

#define EXPECT_SAME_PICTURE(expected, actual) EXPECT_PRED_FORMAT2(pictures_match, expected, actual)
#define ASSERT_SAME_PICTURE(expected, actual) ASSERT_PRED_FORMAT2(pictures_match, expected, actual)

// The folder that failing comparisons write their pictures to.
std::string picture_folder();
// A picture as 8-bit RGB rows for a PNG file.
std::vector<uint8_t> picture_rgb(const Picture& picture);
// The difference of two pictures as RGB rows, over the larger of the two
// sizes: differing pixels in red, equal ones as a dim grey of the expected
// picture, so the differences stand out where they lie.
std::vector<uint8_t> difference_rgb(const Picture& expected, const Picture& actual);
