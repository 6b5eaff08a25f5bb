// Pixwell Lab's command line: pages chosen by name, the usage asked for
// anywhere on the line, and every word the Lab cannot use refused rather
// than taken for a file name.
#include "app/lab_arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LabCommand parse(std::vector<const char*> words) {
  words.insert(words.begin(), "pixwell-lab");
  return ParseLabArguments(static_cast<int>(words.size()), words.data());
}

TEST(LabArguments, PageReportAndFileTogetherInAnyOrder) {
  LabCommand command = parse({"notes.txt", "--page", "gallery", "--report"});
  EXPECT_EQ(command.Action, LabAction::Run);
  EXPECT_EQ(command.Page, LabPage::Gallery);
  EXPECT_TRUE(command.Report);
  EXPECT_EQ(command.Document, "notes.txt");
  EXPECT_EQ(parse({}).Page, LabPage::Layers);
  EXPECT_TRUE(parse({}).Document.empty());
}

TEST(LabArguments, HelpWinsWhereverItStands) {
  EXPECT_EQ(parse({"--help"}).Action, LabAction::PrintHelp);
  EXPECT_EQ(parse({"--page", "gallery", "--help"}).Action, LabAction::PrintHelp);
  EXPECT_EQ(parse({"--version"}).Action, LabAction::PrintVersion);
  EXPECT_NE(LabUsage().find("--page NAME"), std::string::npos);
}

// Every page name the usage lists is one --page takes.
TEST(LabArguments, EveryListedPageIsAccepted) {
  for (const LabPageInfo& page : kLabPages) {
    LabCommand command = parse({"--page", page.Name});
    EXPECT_EQ(command.Action, LabAction::Run) << page.Name;
    EXPECT_EQ(command.Page, page.Page) << page.Name;
    EXPECT_EQ(FindPageForKey(page.Key), &page);
  }
}

TEST(LabArguments, WhatCannotBeUsedIsRefusedWithTheReason) {
  LabCommand unknown = parse({"--page", "nope"});
  EXPECT_EQ(unknown.Action, LabAction::Refuse);
  EXPECT_NE(unknown.Problem.find("nope"), std::string::npos);
  EXPECT_NE(unknown.Problem.find("gallery"), std::string::npos);  // names the pages
  EXPECT_EQ(parse({"--page"}).Action, LabAction::Refuse);
  EXPECT_EQ(parse({"--pages", "gallery"}).Action, LabAction::Refuse);
  EXPECT_EQ(parse({"one.txt", "two.txt"}).Action, LabAction::Refuse);
  EXPECT_EQ(parse({"--find"}).Action, LabAction::Refuse);
  EXPECT_EQ(parse({"--with", "--report"}).Action, LabAction::Refuse);  // not a file name
}

// The file named belongs to the page that shows it: the BMP page's image is
// not loaded as the text view's document, and the words options open the
// words page unless another page is named.
TEST(LabArguments, FilesAndWordsGoToTheirPages) {
  LabCommand bmp = parse({"picture.bmp", "--page", "bmp"});
  EXPECT_EQ(bmp.Page, LabPage::Bmp);
  EXPECT_EQ(bmp.BmpFile, "picture.bmp");
  EXPECT_TRUE(bmp.Document.empty());
  LabCommand words = parse({"--find", "mov", "notes.txt", "--with", "other.txt"});
  EXPECT_EQ(words.Action, LabAction::Run);
  EXPECT_EQ(words.Page, LabPage::Words);
  EXPECT_EQ(words.Find, "mov");
  EXPECT_EQ(words.With, "other.txt");
  EXPECT_EQ(words.Document, "notes.txt");
  EXPECT_TRUE(words.BmpFile.empty());
  EXPECT_EQ(parse({"--page", "layers", "--find", "mov"}).Page, LabPage::Layers);
}

}  // namespace
