// The main frame's calculation command, the comparison-buffer command, the
// completion of a task's data and the import of a Dalvex task.
#include "app/mainframe.h"

#include "app/catalogservices.h"
#include "app/docfile.h"
#include "app/kestrinview.h"
#include "app/raschetdlg.h"
#include "app/taskcompletion.h"
#include "model/document.h"
#include "platform/archive.h"
#include "platform/filedialog.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/savefile.h"


void CMainFrame::OnCalcTract()
{
    if (!g_pDoc || !CalcTractEnabled(*g_pDoc, m_Struct, m_bEditing != 0))
        return;
    if (m_pHost)
        m_pHost->DestroyResultWindows();
    {
        CRaschetDlg dlg(*g_pDoc);
        dlg.DoModal();
    }
    // Whatever the dialog did: the task's group in the buffer shows its
    // results as they are now.
    compareBuffer.RefreshTask(*g_pDoc, g_DocFile.pathName);
}

void CMainFrame::OnAddToBuffer()
{
    if (!g_pDoc || !CompareBuffer::CanPutTask(*g_pDoc))
        return;
    compareBuffer.PutTask(*g_pDoc, g_DocFile.pathName, GetDocTitle());
    if (!m_pHost || !m_pHost->BufferFrameOpen())
        return;
    // The engineer is looking at the comparison: the task just put in joins
    // the curves it shows.
    if (CBufZad* group = compareBuffer.Find(g_DocFile.pathName, g_pDoc->identity))
        for (auto& curve : group->curves)
            curve->selected = 1;
    m_pHost->BufferChanged();
}

void CMainFrame::OnCompleteData()
{
    if (!g_pDoc || m_bEditing || g_pDoc->elements.empty() || g_nTaskCompletion != 1)
        return;
    if (CompleteTaskData(*g_pDoc)) {
        UpdateTitle();
        if (g_pMainView && m_nViewMode == 0)
            g_pMainView->RecalcLayout();
    }
    if (m_pHost)
        m_pHost->RedrawFrame();
}

namespace {

// The task's title after an import: the file's name up to its last ".".
std::string ImportedTitle(const std::string& path)
{
    std::string name = FileNameOfPath(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

void CMainFrame::OnFileImport()
{
    // While editing, the edit would be dropped without a question.
    if (m_bEditing || !g_pDoc)
        return;
    FileDialog dlg(true, "dvx", "Файлы данных Dalvex (*.dvx)|*.dvx|Все файлы (*.*)|*.*||", "Импорт данных");
    dlg.m_bFileMustExist = true;
    if (dlg.DoModal() != IDOK)
        return;
    if (!SaveModified())
        return;
    if (m_pHost)
        m_pHost->DestroyResultWindows();
    const std::string path = dlg.GetPathName();
    if (!RegularFileOpens(path)) {
        ShowMessage("Ошибка открытия файла");
        return;
    }
    try {
        ArchiveReader ar = ArchiveReader::FromFile(path);
        // A refused file (an experimental span) leaves an empty task; it is
        // taken over all the same.
        g_pDoc->ImportDalvexTask(ar);
    } catch (const FileReadError& e) {
        ShowMessage(StrFormat("Не удалось открыть файл %s.\n%s", path.c_str(), AsSentence(e.reason()).c_str()));
        return;
    } catch (const ArchiveError& e) {
        // The reader read into a temporary: the open task is unchanged.
        ShowMessage(StrFormat("Не удалось открыть файл %s.\n%s", path.c_str(), AsSentence(e.what()).c_str()));
        return;
    }
    // A selection or a range of the previous task would name elements the
    // imported task may not have: it is dropped, as opening a task does.
    ResetEditState();
    if (g_pMainView) {
        g_pMainView->m_dZoom = 1.0;
        g_pMainView->m_bFitted = 0;
        g_pMainView->m_bLarger = 0;
    }
    ReconcileDatabase(this, path);
    // The imported task has no file of its own yet: saving it asks for one,
    // rather than writing over the task that was open before.
    g_DocFile.pathName.clear();
    g_DocFile.title = ImportedTitle(path);
    SetModifiedFlag();
    UpdateTitle();
    if (m_nViewMode == 0) {
        if (g_pMainView)
            g_pMainView->RecalcLayout();
    } else if (g_pMainView) {
        g_pMainView->BuildTextView();
    }
}
