// What the document asks of the application shell: resetting the main
// frame's editing state and refreshing the window title.  Nothing happens
// until the shell registers its hooks; tests register a recorder.
#pragma once

class DocumentShellHooks {
public:
    virtual ~DocumentShellHooks() = default;
    virtual void ResetEditState() {}
    virtual void UpdateTitle() {}
};

// Installs hooks (nullptr: none) and returns the previous ones.
DocumentShellHooks* SetDocumentShellHooks(DocumentShellHooks* hooks);
DocumentShellHooks* GetDocumentShellHooks();

void ShellResetEditState();
void ShellUpdateTitle();
