// The open and save file dialogs as a request and an answer: the program
// fills the request, RunModal shows it (the Qt file dialog in the program, a
// scripted answer in tests), and the chosen path comes back in m_strPathName.
#pragma once

#include "platform/modal.h"

#include <string>
#include <string_view>
#include <vector>

class FileDialog {
public:
    FileDialog(bool openFileDialog, std::string defaultExtension, std::string filter,
               std::string title)
        : m_bOpenFileDialog(openFileDialog), m_strDefExt(std::move(defaultExtension)),
          m_strFilter(std::move(filter)), m_strTitle(std::move(title))
    {
    }

    bool m_bOpenFileDialog;
    // Appended to a typed name without an extension ("kdb", "ktf", ...).
    std::string m_strDefExt;
    // "Description|patterns|Description|patterns||", patterns separated by ';'.
    std::string m_strFilter;
    std::string m_strTitle;
    // Open: the file must exist.
    bool m_bFileMustExist = false;
    // Open: a file that does not exist is taken only after the question
    // whether to create it (No returns to the dialog).
    bool m_bCreatePrompt = false;
    // Save: ask before replacing an existing file (the callers that ask
    // themselves leave it off).
    bool m_bOverwritePrompt = false;
    // In: the proposed file; out after IDOK: the chosen full path.
    std::string m_strPathName;

    int DoModal() { return RunModal(*this); }
    const std::string& GetPathName() const { return m_strPathName; }
    // The chosen file's name without its folder.
    std::string GetFileName() const;
};

struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};
// Splits a "Description|patterns|...||" filter into its pairs.
std::vector<FileFilter> ParseFileFilter(std::string_view filter);

// Whether a file name that reached the program as text may be used to open or
// save that file.  Text puts U+FFFD in place of bytes of a name that are not
// UTF-8 (Linux names are bytes): such a name stands for a file whose real name
// is lost and may name another file or none, so it is refused with a message
// saying the file cannot be opened or saved under it.
enum class FileUse { Open, Save };
// Whether a name that reached the program as text holds U+FFFD.
bool NameHoldsLostBytes(std::string_view path);
bool AcceptNameFromText(const std::string& path, FileUse use);

// The part of a path after its last '/' or '\' (the whole path when it has
// neither): paths written on Windows use '\'.
std::string FileNameOfPath(std::string_view path);
