// Template files for the AnCom A-7 analyser: one tract result written as 13
// text files (working attenuation, mismatch attenuation at both ends, modulus,
// phase, real and imaginary part of both input impedances), each with a header
// of "==" lines and one row per frequency point.  The files are CP1251 text
// with CR LF line ends, as the analyser's software reads them.
#pragma once

#include "results/reporttext.h"
#include "results/resulttext.h"

#include <string>

class CKestrinDoc;
class CRezGra;

inline constexpr int kTemplateFileCount = 13;

struct TemplateFileSpec {
    const char* name;   // fixed file name
    const char* title;  // the file's title line, without its line end
};

// The 13 files in the order they are written.
extern const TemplateFileSpec kTemplateFiles[kTemplateFileCount];

// Appends header lines 1 to 6 (file, catalog, task, date and time of the
// calculation, connection, and in connection mode 3 the neutral's resistance),
// each ended by "\n".
void WriteTemplateHeader(std::string& out, const TaskHeader& header, const ConnectionNames& names,
                         const CRezGra& result);

// The whole text of file `index` (0 to 12) as UTF-8 with "\n" line ends.
std::string TemplateText(int index, const TaskHeader& header, const ConnectionNames& names,
                         const CRezGra& result);

// What is written to disk for a text: CP1251 bytes, every "\n" as CR LF.
std::string TemplateFileBytes(const std::string& utf8Text);

// The folder of the path chosen in the save dialog, up to and including its
// last "/"; empty for a bare file name.
std::string TemplateFolder(const std::string& chosenPath);

struct TemplateWriteResult {
    bool ok = true;
    int failedFile = 0;    // 1 to 13: the file that could not be written
    std::string fileName;  // its name
    std::string error;     // what the system said
};

// Writes the 13 files into the folder, each replaced atomically.  The first
// file that cannot be written stops the set: the files before it are written,
// it and the ones after it are not, and no partial file is left.
TemplateWriteResult WriteTemplates(const std::string& folder, const TaskHeader& header,
                                   const ConnectionNames& names, const CRezGra& result);

// The same for a result of the open task, whose file is pathName.
TemplateWriteResult WriteTemplates(const std::string& folder, const CKestrinDoc& doc, const std::string& pathName,
                                   const CRezGra& result);
