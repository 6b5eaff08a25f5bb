// The document that Pixwell Lab shows in its text view: a file read as it is,
// with lines ended by a line feed alone given their carriage return, since a
// text document counts its lines by carriage returns.
#pragma once

#include <string>

#include "text/text_document.h"

struct LabDocument {
  TextDocument* Document;  // null when the file could not be shown
  std::string Problem;     // why not, for the window's status line
  // Set when the text with its carriage returns is longer than a document
  // holds: only its first kTextBufferSize bytes are shown.
  uint64_t CutFrom = 0;
};

LabDocument LoadLabDocument(const char* file_name);

// Every LF without a CR before it becomes CR LF; all other bytes stay.
std::string WithCarriageReturns(const std::string& text);
