// Pixwell's executable: everything happens in ProgramEntry, which ends the
// process itself.
#include "app/main_window.h"

int main() { ProgramEntry(); }
