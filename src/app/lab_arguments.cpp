#include "app/lab_arguments.h"

namespace {

bool is_option(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

LabCommand refused(const std::string& problem) {
  LabCommand command;
  command.Action = LabAction::Refuse;
  command.Problem = problem;
  return command;
}

// Takes the page name after --page; a page that is unknown refuses the line.
bool take_page(LabCommand& command, const char* name) {
  if (name == nullptr) {
    command = refused("--page needs a page name: " + PageNameList());
    return false;
  }
  const LabPageInfo* page = FindPageNamed(name);
  if (page == nullptr) {
    command =
        refused(std::string("unknown page \"") + name + "\"; the pages are " + PageNameList());
    return false;
  }
  command.Page = page->Page;
  return true;
}

}  // namespace

std::string LabUsage() {
  return "usage: pixwell-lab [--page NAME] [--report] [FILE]\n"
         "       pixwell-lab --help | --version\n"
         "  FILE          the text shown in the layers page (default: the Lab's guide)\n"
         "  --page NAME   the page to open: " +
         PageNameList() +
         "\n"
         "  --report      print the presentations per second of each mode at exit\n"
         "  --help        print this text\n"
         "  --version     print the release\n"
         "In the window F1..F7 choose the pages and F8 shows the pixel loupe.\n";
}

LabCommand ParseLabArguments(int argc, const char* const* argv) {
  LabCommand command;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--help" || word == "-h") {
      command.Action = LabAction::PrintHelp;
      return command;
    }
    if (word == "--version") {
      command.Action = LabAction::PrintVersion;
      return command;
    }
    if (word == "--report") {
      command.Report = true;
    } else if (word == "--page") {
      if (!take_page(command, i + 1 < argc ? argv[++i] : nullptr)) return command;
    } else if (is_option(word)) {
      return refused("unknown option " + word);
    } else if (!command.Document.empty()) {
      return refused("one file at most: " + command.Document + " and " + word);
    } else {
      command.Document = word;
    }
  }
  return command;
}
