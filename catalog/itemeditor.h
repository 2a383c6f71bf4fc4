// What every catalog item editor shares.  An editor is a plain model (the
// item's values in the units of the catalog sheets, the checks of its OK in
// their order, the list texts) run through RunModal; its Qt dialog only moves
// values between the model and the controls.
//
// An editor opened view-only shows the item with every edit read-only, hides
// "Отменить" and captions OK "OK", which then closes like Cancel.  Otherwise
// OK reads "Сохранить" and writes the item only after its checks pass.
#pragma once

#include "platform/modal.h"

#include <string>

// Answer of an editor's OK step besides IDOK (item written) and IDCANCEL
// (view-only: nothing written): a check failed, the dialog stays open.
inline constexpr int kStayOpen = 0;

class CItemEditor {
public:
    virtual ~CItemEditor() = default;

    virtual bool IsViewOnly() const = 0;
    std::string OkCaption() const { return IsViewOnly() ? "OK" : "Сохранить"; }
    bool CancelShown() const { return !IsViewOnly(); }
};

// A coordinate or cell text read as it is typed: a text that is not a number
// (or not a finite single-precision one) reads as 0.
float TextAsNumber(const std::string& text);
