// "Проверка базы данных": one catalog item of the task differs from the
// catalog's item of the same key; the user changes the task, changes the
// catalog, skips the item or cancels the whole check.
#pragma once

#include "platform/modal.h"

#include <cstdint>
#include <string>

class CProvRaznDlg {
public:
    static constexpr std::uint8_t kChangeTask = 0;
    static constexpr std::uint8_t kChangeBase = 1;
    static constexpr std::uint8_t kSkip = 2;
    static constexpr std::uint8_t kCancelCheck = 3;

    std::uint8_t m_nKind = 0;   // in: the item kind 0..8; out: the answer
    std::uint8_t m_nCount = 0;  // in: the tower's wire count, the matrix's order or the filter's type
    std::string m_strName;      // in: the item's name
    std::string m_strText;

    // The text by kind; the answer is preset to cancel, as closing the window answers.
    void OnInitDialog();
    void OnOK() { m_nKind = kChangeTask; }
    void OnChangeBase() { m_nKind = kChangeBase; }
    void OnSkip() { m_nKind = kSkip; }
    void OnCancel() { m_nKind = kCancelCheck; }

    int DoModal() { return RunModal(*this); }
};
