// Russian texts of the operating system's file errors, for the details of the
// messages that report a file that could not be read or written.
#pragma once

#include <string>

// The text of an errno value; errors without a text of ours get the system's own.
std::string SystemErrorText(int err);
