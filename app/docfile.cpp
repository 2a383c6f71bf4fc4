#include "app/docfile.h"

#include "app/kestrinapp.h"
#include "app/mainframe.h"
#include "model/document.h"
#include "platform/filedialog.h"
#include "platform/filestamp.h"
#include "platform/format.h"
#include "platform/messages.h"

DocFileState g_DocFile;

namespace {

void RefreshTitle()
{
    if (g_pMainFrame)
        g_pMainFrame->UpdateTitle();
}

// The task is known by its full path (FullPathOf): a name given relative to
// the folder the program started in (on its command line) must name the same
// file in the recent list of a later start from another folder.  The recent
// list, the comparison buffer and the question before a save tell the file by
// its real path, so other spellings of it (".", "..", "//", links) are one file.
void TakePath(const std::string& given)
{
    const std::string path = FullPathOf(given);
    g_DocFile.pathName = path;
    g_DocFile.title = FileNameOfPath(path);
    g_DocFile.modified = false;
    if (g_pApp && g_pApp->m_pRecentFileList)
        g_pApp->m_pRecentFileList->Add(path);
}

} // namespace

void SetModifiedFlag(bool modified)
{
    g_DocFile.modified = modified;
}

const std::string& GetDocTitle()
{
    return g_DocFile.title;
}

bool TaskCanBeSaved()
{
    return g_pDoc && !g_pDoc->elements.empty() && g_nTaskCompletion == 0;
}

bool SaveModified()
{
    if (!g_DocFile.modified || !TaskCanBeSaved())
        return true;
    switch (ShowMessage(StrFormat("Сохранить изменения в %s?", g_DocFile.title.c_str()), kAppName,
                        MsgIcon::Exclamation, MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
        return OnFileSave();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

bool NewTaskDocument()
{
    if (!g_pDoc || !g_pDoc->OnNewDocument())
        return false;
    g_DocFile = DocFileState();
    return true;
}

bool ReadTaskDocument(const std::string& path)
{
    if (!g_pDoc)
        return false;
    std::string error, reason;
    if (!g_pDoc->OpenTaskFile(path, error, &reason)) {
        ShowMessage(StrFormat("Не удалось открыть файл %s.\n%s", path.c_str(), AsSentence(reason).c_str()));
        return false;
    }
    TakePath(path);
    return true;
}

bool DoSave(const std::string& path)
{
    // A file the program did not read or write itself is not written over
    // without a word: another writer's change to the task's file, or another
    // file its name leads to now; No keeps that file and the task unsaved.
    const bool ownName = !g_DocFile.pathName.empty() &&
                         (path == g_DocFile.pathName || FullPathOf(path) == g_DocFile.pathName);
    if (g_pDoc && !ConfirmOverwriteIfChanged(path, g_pDoc->fileStamp, kAppName, ownName))
        return false;
    std::string error;
    if (!g_pDoc || !g_pDoc->SaveTaskFile(path, error)) {
        ShowMessage(StrFormat("Не удалось сохранить файл %s.\n%s", path.c_str(), AsSentence(error).c_str()));
        return false;
    }
    TakePath(path);
    RefreshTitle();
    return true;
}

bool OnFileSave()
{
    if (g_DocFile.pathName.empty())
        return OnFileSaveAs();
    return DoSave(g_DocFile.pathName);
}

bool OnFileSaveAs()
{
    FileDialog dlg(false, "ktf", kTaskFileFilter, "Сохранить как");
    dlg.m_bOverwritePrompt = true;
    dlg.m_strPathName = g_DocFile.pathName.empty() ? std::string() : g_DocFile.pathName;
    if (dlg.DoModal() != IDOK)
        return false;
    return DoSave(dlg.GetPathName());
}
