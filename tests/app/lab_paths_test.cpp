// Paths shown as the host writes them: the platform's backslashed form of a
// slash-rooted path becomes the slashed one, a drive path keeps its
// backslashes, and the ".." of the installed data folder is taken out.
#include "app/lab_paths.h"

#include <gtest/gtest.h>

TEST(LabPaths, ShownInTheHostsOwnForm) {
  EXPECT_EQ(DisplayPath("\\usr\\bin\\..\\share\\pixwell\\lab-guide.txt"),
            "/usr/share/pixwell/lab-guide.txt");
  EXPECT_EQ(DisplayPath("C:\\Pixwell\\.\\bin\\..\\load.wav"), "C:\\Pixwell\\load.wav");
  EXPECT_EQ(DisplayPath("\\usr\\..\\..\\etc"), "/etc");
  EXPECT_EQ(DisplayPath("C:\\a\\..\\..\\b"), "C:\\b");
  EXPECT_EQ(DisplayPath("\\"), "/");
  EXPECT_EQ(DisplayPath("C:\\"), "C:\\");
  // As the person typed them: relative names and shares.
  EXPECT_EQ(DisplayPath("notes/today.txt"), "notes/today.txt");
  EXPECT_EQ(DisplayPath("..\\notes.txt"), "..\\notes.txt");
  EXPECT_EQ(DisplayPath("\\\\server\\share\\a.txt"), "\\\\server\\share\\a.txt");
}
