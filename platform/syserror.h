// Russian texts of the operating system's file errors, for the details of the
// messages that report a file that could not be read or written.
#pragma once

#include <string>

// The text of an errno value: the errors a file operation meets have their
// own text, any other gets a general sentence with its number.
std::string SystemErrorText(int err);
