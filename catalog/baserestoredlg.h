// "Восстановление базы данных": the catalog file an opened task names is
// missing; the user keeps the current catalog, restores the file from the
// task's own items, or finds the file.  There is no cancel: Esc and the
// window's close box leave the choice open.
#pragma once

#include "platform/modal.h"

#include <cstdint>
#include <string>

class CBaseRestoreDlg {
public:
    static constexpr std::uint8_t kKeepCurrent = 4;
    static constexpr std::uint8_t kRestoreFromTask = 1;
    static constexpr std::uint8_t kFindFile = 0;

    std::string m_strPath;             // in: the missing path
    bool m_bKeepEnabled = false;       // in: a current catalog is loaded
    std::uint8_t m_nAnswer = kKeepCurrent;
    std::string m_strText;

    void OnInitDialog() { m_strText = m_strPath; }
    void OnOK() { m_nAnswer = kKeepCurrent; }
    void OnRestore() { m_nAnswer = kRestoreFromTask; }
    void OnFind() { m_nAnswer = kFindFile; }

    int DoModal() { return RunModal(*this); }
};
