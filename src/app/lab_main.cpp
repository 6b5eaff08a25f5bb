// Pixwell Lab's executable: the document named on the command line, or the
// guide that ships beside the program, shown in a window of its own.
#include <cstdio>
#include <string>

#include "app/lab_arguments.h"
#include "app/lab_page_bmp.h"
#include "app/lab_window.h"
#include "app/version.h"
#include "host/file_helpers.h"

namespace {

// The folder of the executable, with its trailing backslash.
std::string program_directory() {
  char path[4096];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return "";
  std::string directory(path, length);
  return directory.substr(0, directory.find_last_of('\\') + 1);
}

// The Lab's data lies beside the program, or, once installed on Linux, in
// the shared data folder of the prefix the program is in.
std::string data_directory() {
  std::string beside = program_directory();
  std::string installed = beside + "..\\share\\pixwell\\";
  if (!FileExists((beside + "load.wav").c_str()) && FileExists((installed + "load.wav").c_str()))
    return installed;
  return beside;
}

}  // namespace

// pixwell-lab --help | --version | [--page NAME] [--report] [FILE]
int main(int argc, char** argv) {
  LabCommand command = ParseLabArguments(argc, argv);
  switch (command.Action) {
    case LabAction::PrintHelp: std::printf("%s", LabUsage().c_str()); return 0;
    case LabAction::PrintVersion: std::printf("pixwell-lab %s\n", PIXWELL_VERSION); return 0;
    case LabAction::Refuse:
      std::fprintf(stderr, "pixwell-lab: %s\n%s", command.Problem.c_str(), LabUsage().c_str());
      return 2;
    case LabAction::Run: break;
  }
  std::string data = data_directory();
  std::string document = command.Document.empty() ? data + "lab-guide.txt" : command.Document;
  std::string bmp = command.BmpFile.empty() ? data + kLabSampleBmp : command.BmpFile;
  LabOptions options{document.c_str(), data.c_str(),         command.Report,      command.Page,
                     bmp.c_str(),      command.With.c_str(), command.Find.c_str()};
  ExitProcess(RunLab(GetModuleHandleA(nullptr), options));
}
