#include "catalog/reconcile.h"

#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/mainframe.h"
#include "catalog/baserestoredlg.h"
#include "catalog/catalogfiles.h"
#include "catalog/catalogcategories.h"
#include "catalog/provrazndlg.h"
#include "model/base.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "model/shunts.h"
#include "platform/filedialog.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <filesystem>

namespace {

constexpr const char* kOpenErrorCaption = "Ошибка открытия файла";

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

void ReportCannotRestore()
{
    ShowMessage(kRestoreFailedText, kOpenErrorCaption, MsgIcon::Stop);
}

bool ReadCatalog(CMainFrame* frame, CBase& base, std::string& path)
{
    return LoadCatalogFile(frame, base, path, FileNameOfPath(path));
}

// The catalog file of path becomes the current catalog (its contents
// already in loaded).
void MakeCurrent(CMainFrame* frame, const std::string& path, CBase& loaded)
{
    TakeCurrentBasePath(path);
    g_CurBase.Swap(loaded);
    if (frame)
        frame->UpdateTitle();
}

// A new catalog file at path holding the task's items.  Only where no file
// exists: an existing file (one that could not be read) is never replaced.
bool CreateFromTask(CMainFrame* frame, const std::string& path)
{
    if (!std::filesystem::path(path).is_absolute() || FileExists(path)) {
        ReportCannotRestore();
        return false;
    }
    // The copy is what gets written, so it carries the stamp of the file it
    // wrote: a later save over a file changed on disk since then asks first.
    CBase copy;
    copy.CopyFrom(g_TaskBase);
    std::string error;
    if (!SaveBaseFile(path, copy, error)) {
        ReportCannotRestore();
        return false;
    }
    MakeCurrent(frame, path, copy);
    return true;
}

// "Найти базу самостоятельно".  False sends the user back to the choice.
bool FindCatalog(CMainFrame* frame, CKestrinDoc& doc)
{
    FileDialog dlg(true, "kdb", "Базы данных Kestrin (*.kdb)|*.kdb||", "Выбор базы данных");
    dlg.m_bCreatePrompt = true;
    if (dlg.DoModal() != IDOK || dlg.GetPathName().empty())
        return false;
    std::string path = dlg.GetPathName();
    if (FileExists(path)) {
        CBase loaded;
        if (!ReadCatalog(frame, loaded, path))
            return false;
        MakeCurrent(frame, path, loaded);
    } else if (!CreateFromTask(frame, path)) {
        return false;
    }
    doc.basePath = g_strBasePath;
    SetModifiedFlag();
    return true;
}

// Step 4: the missing file.  Answers whether the catalog was restored from
// the task (then nothing is compared); false also when no choice can be
// shown at all.
bool SettleMissingCatalog(CMainFrame* frame, CKestrinDoc& doc, bool& settled)
{
    settled = false;
    for (;;) {
        CBaseRestoreDlg dlg;
        dlg.m_strPath = doc.basePath;
        dlg.m_bKeepEnabled = g_bBaseLoaded != 0;
        if (dlg.DoModal() != IDOK) {
            // The window cannot be dismissed; without one there is no choice.
            if (!ModalRunner<CBaseRestoreDlg>::Get())
                return false;
            continue;
        }
        switch (dlg.m_nAnswer) {
        case CBaseRestoreDlg::kKeepCurrent:
            if (!g_bBaseLoaded)
                continue;
            doc.basePath = g_strBasePath;
            SetModifiedFlag();
            settled = true;
            return false;
        case CBaseRestoreDlg::kRestoreFromTask:
            if (!CreateFromTask(frame, doc.basePath))
                continue;
            settled = true;
            return true;
        default:
            if (!FindCatalog(frame, doc))
                continue;
            settled = true;
            return false;
        }
    }
}

std::uint8_t CountOf(const COpora& tower) { return tower.count; }
std::uint8_t CountOf(const CMatrix& matrix) { return matrix.n; }
std::uint8_t CountOf(const CFiltr& filter) { return filter.type; }
std::uint8_t CountOf(const CObj&) { return 0; }

struct CheckState {
    bool baseChanged = false;
    bool taskChanged = false;
    bool cancelled = false;
};

// Step 7 for one list: each task item against the working catalog's list.
template <class T>
void CheckList(int kind, ObjList<T>& taskList, ObjList<T>& baseList, CheckState& state)
{
    for (auto& taskItem : taskList) {
        bool found = false;
        for (auto& baseItem : baseList) {
            const std::uint8_t same = taskItem->Compare(*baseItem);
            if (same == 0)
                continue;
            found = true;
            if (same == 1) {
                CProvRaznDlg dlg;
                dlg.m_nKind = std::uint8_t(kind);
                dlg.m_nCount = CountOf(*taskItem);
                dlg.m_strName = taskItem->name;
                if (dlg.DoModal() != IDOK)
                    dlg.m_nKind = CProvRaznDlg::kCancelCheck;
                switch (dlg.m_nKind) {
                case CProvRaznDlg::kChangeTask:
                    taskItem->Copy(*baseItem);
                    state.taskChanged = true;
                    break;
                case CProvRaznDlg::kChangeBase:
                    baseItem->Copy(*taskItem);
                    state.baseChanged = true;
                    break;
                case CProvRaznDlg::kSkip:
                    break;
                default:
                    state.cancelled = true;
                    return;
                }
            }
            break;
        }
        if (!found) {
            auto copy = std::make_unique<T>();
            copy->Copy(*taskItem);
            baseList.push_back(std::move(copy));
            state.baseChanged = true;
        }
    }
}

// Step 9: an item an element holds takes the task item's values of the
// same key when they differ.
template <class T>
void TakeTaskValues(T& held, const ObjList<T>& taskList)
{
    for (const auto& item : taskList) {
        const std::uint8_t same = held.Compare(*item);
        if (same == 0)
            continue;
        if (same == 1)
            held.Copy(*item);
        return;
    }
}

void TakeFilterValues(CFiltr& filter)
{
    if (filter.type < CBase::kFilterLists)
        TakeTaskValues(filter, g_TaskBase.filters[filter.type]);
}

void TakeTrapValues(CEShunt& traps)
{
    for (CShunt& branch : traps.branches)
        TakeTaskValues(branch.trap, g_TaskBase.traps);
}

void UpdateElement(CElement& e)
{
    switch (e.type) {
    case kOverheadLine:
        if (CVLine* line = e.Data<CVLine>()) {
            TakeTaskValues(line->tower, g_TaskBase.towers);
            if (line->wireArray) {
                const int n = std::min<int>(line->wireCount, int(line->wireArray->size()));
                for (int i = 0; i < n; ++i)
                    TakeTaskValues((*line->wireArray)[std::size_t(i)].wireType,
                                   i < line->phaseWires ? g_TaskBase.phaseWires : g_TaskBase.groundWires);
            }
            if (line->inhomogeneity != 0)
                TakeTaskValues(line->matrix, g_TaskBase.matrices);
        }
        break;
    case kCableLine:
        if (CKLine* cable = e.Data<CKLine>()) {
            if (cable->pipe == 0)
                TakeTaskValues(cable->solidCable, g_TaskBase.solidCables);
            else if (cable->pipe == 1)
                TakeTaskValues(cable->pipeCable, g_TaskBase.pipeCables);
        }
        break;
    case kShuntImpedance:
    case kSeriesImpedance:
        // Only an impedance of line traps holds them; an RLC circuit's
        // branches keep whatever trap record they carry.
        if (CEShunt* shunt = e.Data<CEShunt>(); shunt && shunt->trapKind != 0)
            TakeTrapValues(*shunt);
        break;
    case kCouplingDevice:
        if (CUpr* upr = e.Data<CUpr>())
            for (CPrisoed& p : upr->devices) {
                TakeFilterValues(p.filter);
                TakeTaskValues(p.cable, g_TaskBase.hfCables);
            }
        break;
    case kBypass:
        if (CEObhod* bypass = e.Data<CEObhod>()) {
            // A bypass's trap parts are always line traps: their kind byte
            // is not set by the bypass sheet and means nothing here.
            TakeTrapValues(bypass->traps[0]);
            TakeTrapValues(bypass->traps[1]);
            for (CObhod& line : bypass->lines)
                for (int end = 0; end < 2; ++end) {
                    TakeFilterValues(line.filters[end]);
                    TakeTaskValues(line.cables[end], g_TaskBase.hfCables);
                }
        }
        break;
    default:
        break;
    }
}

} // namespace

void ReconcileTaskWithCatalog(CMainFrame* frame, const std::string& taskFile)
{
    CKestrinDoc* doc = g_pDoc;
    if (!doc || doc->elements.empty())
        return;
    CollectTaskItems(*doc, g_TaskBase);
    // From here on the task names its catalog by the full path, so that it
    // keeps finding it when it is saved into another folder.
    doc->basePath = TaskCatalogPath(doc->basePath, taskFile);

    // Steps 3 and 4: which catalog file is the current one.
    std::string path = doc->basePath;
    bool opened = false;
    if (FileExists(path)) {
        CBase loaded;
        if (ReadCatalog(frame, loaded, path)) {
            MakeCurrent(frame, path, loaded);
            opened = true;
        }
    }
    if (!opened) {
        bool settled = false;
        const bool restored = SettleMissingCatalog(frame, *doc, settled);
        if (restored || !settled)
            return;
    }

    // Steps 6 to 8: the task's items against a working copy of the catalog.
    CBase work;
    work.CopyFrom(g_CurBase);
    CheckState state;
    for (int kind = 0; kind < kReconcileKinds && !state.cancelled; ++kind) {
        const int first = ReconcileKindCategory(kind);
        const int last = kind == kReconcileKinds - 1 ? kCatLast : first;
        for (int category = first; category <= last && !state.cancelled; ++category)
            VisitCategoryList(g_TaskBase, category, [&](auto& taskList) {
                using List = std::remove_reference_t<decltype(taskList)>;
                VisitCategoryList(work, category, [&](auto& baseList) {
                    if constexpr (std::is_same_v<List, std::remove_reference_t<decltype(baseList)>>)
                        CheckList(kind, taskList, baseList, state);
                });
            });
    }
    if (state.cancelled) {
        // The task's items as they were before the check.
        CollectTaskItems(*doc, g_TaskBase);
        return;
    }

    // Step 9.
    if (state.baseChanged) {
        g_CurBase.CopyFrom(work);
        SaveCurrentBase();
    }
    if (state.taskChanged) {
        SetModifiedFlag();
        for (auto& e : doc->elements)
            if (e && e->entered == 1)
                UpdateElement(*e);
    }
}
