// The main frame's catalog commands: loading a catalog file (with the import
// of the DOS-era catalog), choosing, saving and storing the current catalog,
// and the window title that names the task and the catalog.
#include "app/catalogservices.h"
#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/dosbase.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "model/base.h"
#include "model/document.h"
#include "platform/archive.h"
#include "platform/filedialog.h"
#include "platform/filestamp.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/savefile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

std::string g_strBasePath;
int g_bBaseLoaded = 0;

namespace {

constexpr const char* kOpenErrorCaption = "Ошибка открытия файла";
constexpr const char* kBaseFilter = "Базы данных Kestrin (*.kdb)|*.kdb||";
constexpr const char* kSaveBaseTitle = "Сохранение базы данных";

void ReportDamaged(const std::string& name)
{
    ShowMessage(StrFormat("Файл %s поврежден.\nБаза не загружена!", name.c_str()), kOpenErrorCaption,
                MsgIcon::Exclamation);
}

void ReportWriteFailure(const std::string& path, const std::string& error)
{
    ShowMessage(StrFormat("Не удалось записать базу данных в файл\n%s\n%s", path.c_str(), AsSentence(error).c_str()),
                kSaveBaseTitle, MsgIcon::Exclamation);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// A regular file that opens for reading; a pipe or a device never blocks here.
bool FileReadable(const std::string& path)
{
    return RegularFileOpens(path);
}

// Before a catalog is written to a file chosen in a save dialog: an existing
// catalog there is replaced only when the user agrees, and when the name is
// the current catalog's own, or that file is, and it is not the file as read
// (another copy of the program changed it, or the name leads elsewhere now),
// the user is asked as a save asks.
bool ConfirmReplaceBase(const std::string& path)
{
    if (FileReadable(path) &&
        ShowMessage("Выбрана существующая база данных.\nЗаменить ее?", kSaveBaseTitle, MsgIcon::Question,
                    MsgButtons::YesNo) == MsgAnswer::No)
        return false;
    const bool ownName = g_bBaseLoaded && FullPathOf(path) == g_strBasePath;
    return ConfirmOverwriteIfChanged(path, g_CurBase.fileStamp, kSaveBaseTitle, ownName);
}

// The DOS-era catalog at dosPath was saved as the kdb file saved: an open task
// that named the DOS file names the kdb from now on and is to be saved, so that
// its next opening reads the kdb instead of importing the DOS file again.
void TaskFollowsSavedImport(const std::string& dosPath, const std::string& saved)
{
    if (!g_pDoc || g_pDoc->basePath.empty() || RealPathOf(g_pDoc->basePath) != RealPathOf(dosPath))
        return;
    g_pDoc->basePath = FullPathOf(saved);
    SetModifiedFlag();
}

// Whether path leads to the DOS-era file dosPath (by a link, another spelling
// or another hard link): the import is never written over its own source.
bool IsImportSource(const std::string& path, const std::string& dosPath)
{
    const FileStamp chosen = StampOfFile(path);
    if (!chosen.present)
        return false;
    const FileStamp source = StampOfFile(dosPath);
    return source.present && chosen.device == source.device && chosen.inode == source.inode;
}

// The kdb file the DOS-era import of dosPath is kept in: the user is told why
// and chooses a file until a choice could be written; an existing file is
// replaced only when the user agrees, the DOS file itself never.  Returns the chosen path, or an empty
// one when no file dialog can be shown at all.
std::string SaveImportedBase(CBase& base, const std::string& dosPath)
{
    while (ModalRunner<FileDialog>::Get()) {
        FileDialog dlg(false, "kdb", kBaseFilter, kSaveBaseTitle);
        ShowMessage("Импортированная база должна быть сохранена\nв формате баз данных Kestrin",
                    "Импорт базы данных", MsgIcon::Exclamation);
        if (dlg.DoModal() != IDOK || dlg.GetPathName().empty())
            continue;
        const std::string path = dlg.GetPathName();
        if (IsImportSource(path, dosPath)) {
            ShowMessage(StrFormat("Импортированную базу нельзя сохранить в файл\n%s,\nиз которого она прочитана.\n"
                                  "Выберите другой файл.",
                                  path.c_str()),
                        kSaveBaseTitle, MsgIcon::Exclamation);
            continue;
        }
        if (!ConfirmReplaceBase(path))
            continue;
        std::string error;
        if (SaveBaseFile(path, base, error)) {
            TaskFollowsSavedImport(dosPath, path);
            return path;
        }
        ReportWriteFailure(path, error);
    }
    return {};
}

} // namespace

bool CMainFrame::LoadBase(CBase& base, std::string& path, const std::string& name, bool startup)
{
    if (!IsDosBaseName(name)) {
        if (FileExists(path)) {
            try {
                LoadBaseFile(path, base);
            } catch (const FileReadError& e) {
                // Not read at all: say why (a folder, a pipe, no rights ...)
                // rather than call the file damaged.
                ShowMessage(StrFormat("Файл %s не удается открыть:\n%s.\nБаза не загружена!", name.c_str(),
                                      e.reason().c_str()),
                            kOpenErrorCaption, MsgIcon::Exclamation);
                return false;
            } catch (const ArchiveError&) {
                ReportDamaged(name);
                return false;
            }
            return true;
        }
        if (startup) {
            ShowMessage("Файл " + name + " не найден\nБаза не загружена!", kOpenErrorCaption, MsgIcon::Exclamation);
            return false;
        }
        // A catalog file named later that does not exist yet: it is created
        // empty and becomes the current catalog.
        base.RemoveAll();
        std::string error;
        if (!SaveBaseFile(path, base, error)) {
            ReportWriteFailure(path, error);
            return false;
        }
        return true;
    }

    // The DOS-era catalog.
    ArchiveReader ar;
    try {
        ar = ArchiveReader::FromFile(path);
    } catch (const ArchiveError&) {
        ShowMessage(kOpenErrorCaption);
        return false;
    }
    CBase imported;
    try {
        ReadDosBase(ar, imported);
    } catch (const ArchiveError&) {
        ReportDamaged(name);
        return false;
    }
    if (!startup) {
        // Imported by a command: kept as a kdb file before it becomes current.
        std::string saved = SaveImportedBase(imported, path);
        if (saved.empty())
            return false;
        path = saved;
    }
    // At start-up the import is used as read, under the DOS file's path; the
    // first store asks for a kdb file (SaveCurrentBase).
    base.Swap(imported);
    return true;
}

void CMainFrame::OnBaseSelect()
{
    FileDialog dlg(true, "kdb",
                   "Базы данных Kestrin (*.kdb)|*.kdb|Базы данных MORVEL for DOS (basek.)|basek||",
                   "Выбор базы данных");
    dlg.m_bCreatePrompt = true;
    if (dlg.DoModal() != IDOK)
        return;
    std::string path = dlg.GetPathName();
    CBase loaded;
    if (!LoadBase(loaded, path, dlg.GetFileName(), false))
        return;
    TakeCurrentBasePath(path);
    g_CurBase.Swap(loaded);
    UpdateTitle();
}

void CMainFrame::OnBaseEdit()
{
    // The editor works on a copy: nothing reaches the current catalog before
    // "Применить" or OK.
    auto working = std::make_unique<CBase>();
    working->CopyFrom(g_CurBase);
    bool applied = false;
    const bool ok = RunCatalogEditor(*working, applied) == IDOK;
    if (ok) {
        g_CurBase.CopyFrom(*working);
        SaveCurrentBase();
    }
    // The listing of the current catalog starts again at its top whenever the
    // catalog changed, also after "Применить" and then "Отменить".
    if ((ok || applied) && m_nViewMode == 3 && g_pMainView) {
        g_pMainView->ScrollToTop();
        g_pMainView->BuildTextView();
        g_pMainView->Redraw();
    }
}

void CMainFrame::OnBaseSaveAs()
{
    FileDialog dlg(false, "kdb", kBaseFilter, kSaveBaseTitle);
    if (dlg.DoModal() != IDOK)
        return;
    const std::string path = dlg.GetPathName();
    if (!ConfirmReplaceBase(path))
        return;
    std::string error;
    if (!SaveBaseFile(path, g_CurBase, error)) {
        // The catalog stays where it was: path, recent list and title unchanged.
        ReportWriteFailure(path, error);
        return;
    }
    // A start-up import still under the DOS file's name is saved as a kdb here.
    if (IsDosBaseName(FileNameOfPath(g_strBasePath)))
        TaskFollowsSavedImport(g_strBasePath, path);
    TakeCurrentBasePath(path);
    UpdateTitle();
}

int CMainFrame::OnSaveBaseMsg()
{
    SaveCurrentBase();
    return 0;
}

void TakeCurrentBasePath(const std::string& path)
{
    g_strBasePath = FullPathOf(path);
    g_bBaseLoaded = 1;
    if (g_pApp && g_pApp->m_pBaseList)
        g_pApp->m_pBaseList->Add(g_strBasePath);
}

bool SaveCurrentBase()
{
    if (IsDosBaseName(FileNameOfPath(g_strBasePath))) {
        // A start-up import still under the DOS file's name: never write the
        // catalog over the DOS file, keep it as a kdb file instead.
        std::string saved = SaveImportedBase(g_CurBase, g_strBasePath);
        if (saved.empty())
            return false;
        TakeCurrentBasePath(saved);
        if (g_pMainFrame)
            g_pMainFrame->UpdateTitle();
        return true;
    }
    // Another copy of the program may have saved this catalog since it was
    // read: its items are not written over without a word, and No keeps the
    // file as it is (the catalog in memory stays unsaved).
    if (!ConfirmOverwriteIfChanged(g_strBasePath, g_CurBase.fileStamp, kSaveBaseTitle, true))
        return false;
    std::string error;
    if (!SaveBaseFile(g_strBasePath, g_CurBase, error)) {
        ReportWriteFailure(g_strBasePath, error);
        return false;
    }
    return true;
}

std::string BuildFrameTitle(const std::string* docTitle, bool baseLoaded, const std::string& basePath)
{
    std::string title = kFrameTitle;
    if (docTitle) {
        if (*docTitle != kUntitledTask) {
            std::size_t dot = docTitle->rfind('.');
            std::string task = dot == std::string::npos ? *docTitle + "." : docTitle->substr(0, dot + 1);
            title += " - Задача: " + task;
        } else {
            title += " - ";
            title += kUntitledTask;
        }
    }
    if (baseLoaded) {
        std::string name = FileNameOfPath(basePath);
        title += " База: " + name.substr(0, name.find('.'));
    }
    return title;
}
