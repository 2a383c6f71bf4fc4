// "Повторение элемента базы": an item of a supplement has the key of an
// item of the working catalog with other values.  The user replaces the old
// item, adds the new one under another name, skips it, or cancels the
// whole supplement.
#pragma once

#include "catalog/itemeditor.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>

class CPovtorDlg {
public:
    static constexpr std::uint16_t kReplace = 128;
    static constexpr std::uint16_t kAdd = 1;
    static constexpr std::uint16_t kSkip = 129;
    static constexpr const char* kCaption = "Повторение элемента базы";

    std::uint16_t m_nCode = 0;  // in: the category code (1..8, 9 + filter type); out: the answer
    std::string m_strName;      // in: the item's name; out: the name to use
    std::string m_strGroupText;
    std::string m_strEditName;
    bool m_bReplaceEnabled = true;
    bool m_bAddEnabled = false;

    void OnInitDialog();
    // Each keystroke in the name: "Заменить" only for the unchanged name,
    // "Добавить" only for another name that is not empty (a nameless item
    // could not be told apart in the catalog).
    void OnChangeName(const std::string& text);
    void OnOK();
    // IDOK with the edited name taken, or kStayOpen when the catalog file
    // could not hold a character of it (the user was told which).
    int OnAdd();
    void OnSkip() { m_nCode = kSkip; }

    int DoModal() { return RunModal(*this); }
};
