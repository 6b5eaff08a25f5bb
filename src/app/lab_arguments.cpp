#include "app/lab_arguments.h"

#include <utility>

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

// Takes the value after an option that needs one.
bool take_value(LabCommand& command, const std::string& option, const char* value,
                std::string& into) {
  if (value == nullptr || is_option(value)) {
    command = refused(option + " needs a value");
    return false;
  }
  into = value;
  return true;
}

// The file named goes to the page that shows it.
LabCommand settled(LabCommand command, bool page_given) {
  bool words_options = !command.Find.empty() || !command.With.empty();
  if (!page_given && words_options) command.Page = LabPage::Words;
  if (command.Page == LabPage::Bmp) std::swap(command.BmpFile, command.Document);
  return command;
}

}  // namespace

std::string LabUsage() {
  return "usage: pixwell-lab [--page NAME] [--report] [--find WORD] [--with FILE2] [FILE]\n"
         "       pixwell-lab --help | --version\n"
         "  FILE          the text shown in the layers page (default: the Lab's guide)\n"
         "  --page NAME   the page to open: " +
         PageNameList() +
         "\n"
         "  --page bmp FILE.bmp  the BMP page shows FILE.bmp (default: the Lab's sample)\n"
         "  --find WORD   the word the words page searches (opens that page)\n"
         "  --with FILE2  the words page marks the words FILE shares with FILE2\n"
         "  --report      print the presentations per second of each mode at exit\n"
         "  --help        print this text\n"
         "  --version     print the release\n"
         "In the window F1..F7 choose the pages and F8 shows the pixel loupe.\n";
}

LabCommand ParseLabArguments(int argc, const char* const* argv) {
  LabCommand command;
  bool page_given = false;
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
      page_given = true;
    } else if (word == "--find" || word == "--with") {
      const char* value = i + 1 < argc ? argv[++i] : nullptr;
      if (!take_value(command, word, value, word == "--find" ? command.Find : command.With))
        return command;
    } else if (is_option(word)) {
      return refused("unknown option " + word);
    } else if (!command.Document.empty()) {
      return refused("one file at most: " + command.Document + " and " + word);
    } else {
      command.Document = word;
    }
  }
  return settled(command, page_given);
}
