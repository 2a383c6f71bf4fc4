// What an element dialog allows, decided in one place from the editing flag
// that its opener passes (the main frame's editing mode).  Outside editing
// mode every edit is read-only, catalog combos, check boxes and "Новый"
// buttons are disabled, radio buttons other than the current choice are
// disabled, "Ввести", "Удалить" and "Отменить" are hidden, item editors open
// view-only and OK acts as Cancel.
#pragma once

#include <string>

class CElement;

class EditPolicy {
public:
    explicit EditPolicy(bool editing = false) : m_editing(editing) {}

    bool Editing() const { return m_editing; }
    bool EditsReadOnly() const { return !m_editing; }
    bool CombosEnabled() const { return m_editing; }
    bool ChecksEnabled() const { return m_editing; }
    bool NewButtonsEnabled() const { return m_editing; }
    // A radio button: the current choice stays enabled so that it reads clearly.
    bool RadioEnabled(bool isCurrentChoice) const { return m_editing || isCurrentChoice; }
    // "Ввести", "Удалить" and "Отменить".
    bool EntryButtonsShown() const { return m_editing; }
    bool CancelShown() const { return m_editing; }
    bool OkActsAsCancel() const { return !m_editing; }
    // The mode byte of an item editor: its editable or its view-only mode.
    int ItemEditorMode(int editableMode, int viewOnlyMode) const { return m_editing ? editableMode : viewOnlyMode; }

private:
    bool m_editing;
};

// The "Название" edit of an element dialog, named as the subject of the
// refusal of a name the task file cannot hold (CheckStoredText).
inline constexpr const char* kNameField = "Название";

// A successful OK in editing mode: the element takes the name from the
// dialog's "Название" edit and its parameters-entered flag (1 complete,
// 0 incomplete).
void AcceptElement(CElement& element, const std::string& name, bool complete = true);
