// The catalog editor's supplement: items of a second catalog file merged
// into the working catalog, each duplicate key put to the user.
#include "catalog/basedopolndlg.h"
#include "catalog/baseeditdlg.h"
#include "catalog/catalogcategories.h"
#include "catalog/catalogfiles.h"
#include "catalog/povtordlg.h"
#include "model/base.h"
#include "platform/filedialog.h"

namespace {

// Merges the supplementary list into the working copy's list of the same
// category; false when the user cancelled the supplement.
template <class T>
bool MergeList(int code, const ObjList<T>& supplement, ObjList<T>& target)
{
    for (const auto& source : supplement) {
        T item;
        item.Copy(*source);
        bool settled = false;
        while (!settled) {
            bool matched = false;
            for (auto& existing : target) {
                const std::uint8_t same = item.Compare(*existing);
                if (same == 0)
                    continue;
                matched = true;
                if (same == 2) {
                    settled = true;
                    break;
                }
                CPovtorDlg prompt;
                prompt.m_nCode = std::uint16_t(code);
                prompt.m_strName = item.name;
                if (prompt.DoModal() != IDOK)
                    return false;
                if (prompt.m_nCode == CPovtorDlg::kAdd) {
                    // Under the edited name, checked again from the top.
                    item.name = prompt.m_strName;
                } else {
                    if (prompt.m_nCode == CPovtorDlg::kReplace)
                        existing->Copy(item);
                    settled = true;
                }
                break;
            }
            if (!matched) {
                auto copy = std::make_unique<T>();
                copy->Copy(item);
                target.push_back(std::move(copy));
                settled = true;
            }
        }
    }
    return true;
}

} // namespace

void CBaseEditDlg::OnChooseSupplementBase()
{
    if (ChooseMode() || !m_pBase)
        return;
    FileDialog dlg(true, "kdb", kOtherBaseFilter, kOtherBaseTitle);
    dlg.m_bFileMustExist = true;
    if (dlg.DoModal() != IDOK || dlg.GetPathName().empty())
        return;
    if (SupplementBase(dlg.GetPathName(), dlg.GetFileName()))
        m_bApplyEnabled = true;
}

bool CBaseEditDlg::SupplementBase(const std::string& path, const std::string& name)
{
    if (!m_pBase)
        return false;
    CBase supplement;
    std::string loadedPath = path;
    if (!LoadCatalogFile(nullptr, supplement, loadedPath, name))
        return false;

    CBaseDopolnDlg choose;
    choose.m_pBase = &supplement;
    choose.m_strBasePath = loadedPath;
    if (choose.DoModal() != IDOK)
        return true;

    CBase copy;
    copy.CopyFrom(*m_pBase);
    static constexpr int kOrder[] = {kCatTowers,      kCatPhaseWires, kCatGroundWires, kCatHfCables,
                                     kCatSolidCables, kCatPipeCables, kCatTraps,       kCatMatrices,
                                     9, 10, 11, 12, 13, 14, 15};
    for (int category : kOrder) {
        bool merged = true;
        VisitCategoryList(supplement, category, [&](auto& from) {
            VisitCategoryList(copy, category, [&](auto& to) {
                if constexpr (std::is_same_v<decltype(&from), decltype(&to)>)
                    merged = MergeList(category, from, to);
            });
        });
        if (!merged)
            return true;  // cancelled: the working catalog as it was
    }
    m_pBase->CopyFrom(copy);
    FillTree();
    return true;
}
