// The bypass sheet: the pages of a bypass element by its kind, run on a copy
// of the element.  Every OK in editing mode checks the whole bypass once,
// whichever pages were shown; an incomplete bypass closes marked so.
#pragma once

#include "dialogs/dialogglobals.h"
#include "dialogs/obhkl.h"
#include "dialogs/obhmat.h"
#include "dialogs/obhobh.h"
#include "dialogs/obhvib.h"
#include "dialogs/obhzag.h"
#include "dialogs/propertysheet.h"
#include "platform/modal.h"

#include <string>

class CElement;

class CObhodSheet : public PropertySheetModel {
public:
    // element must hold a CEObhod.
    CObhodSheet(CElement& element, int elementIndex, ElementChain* chain, bool editing);
    CObhodSheet(const CObhodSheet&) = delete;
    CObhodSheet& operator=(const CObhodSheet&) = delete;

    // "Обход в поле", "Обход кабельной линии" or "Обход промежуточной подстанции".
    std::string caption;
    bool editing;

private:
    // Resets g_nBypassPageToken before the pages are constructed.
    struct TokenReset {
        TokenReset() { g_nBypassPageToken = 0; }
    } m_tokenReset;

public:
    // Constructed in this order: the line-trap page takes the token last.
    CObhVib m_vib;
    CObhObh m_obh;
    CObhZag m_zag;
    CObhMat m_mat;
    CObhKL m_kl;

    int DoModal() { return RunModal(*this); }
};

// The parameters of a bypass element: the data object made when missing, the
// sheet run on the element (a copy the caller writes back on IDOK in editing mode).
int RunBypassSheet(CElement& element, int elementIndex, ElementChain* chain, bool editing);
