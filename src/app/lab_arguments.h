// Pixwell Lab's command line: the page to open, the document to show, the
// report at exit, or the usage and the version printed instead of running.
#pragma once

#include <string>

#include "app/lab_pages.h"

enum class LabAction { Run, PrintHelp, PrintVersion, Refuse };

struct LabCommand {
  LabAction Action = LabAction::Run;
  LabPage Page = LabPage::Layers;
  bool Report = false;
  std::string Document;  // empty: the Lab's guide
  std::string BmpFile;   // the BMP page's file; empty: the sample beside the Lab
  std::string Find;      // the word the words page searches at start
  std::string With;      // the words page's second file, for the shared words
  std::string Problem;   // why the command line was refused
};

// On the BMP page the file named is the image shown, and the text view keeps
// the guide. --find and --with without --page open the words page.
LabCommand ParseLabArguments(int argc, const char* const* argv);
// The usage text that --help prints, one line per form and option.
std::string LabUsage();
