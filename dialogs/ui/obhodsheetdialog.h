// The window of the bypass sheet (CObhodSheet): the page widgets in the
// sheet's page order.
#pragma once

#include "dialogs/obhodsheet.h"
#include "dialogs/ui/propertysheetdialog.h"

class ObhKLPage;
class ObhMatPage;
class ObhObhPage;
class ObhVibPage;
class ObhZagPage;

class ObhodSheetDialog : public PropertySheetDialog {
    Q_OBJECT
public:
    explicit ObhodSheetDialog(CObhodSheet& sheet, QWidget* parent = nullptr);

    // Null for a page the bypass's kind does not have.
    ObhVibPage* VibPage() const { return m_vib; }
    ObhObhPage* ObhPage() const { return m_obh; }
    ObhZagPage* ZagPage() const { return m_zag; }
    ObhMatPage* MatPage() const { return m_mat; }
    ObhKLPage* KLPage() const { return m_kl; }

private:
    ObhVibPage* m_vib = nullptr;
    ObhObhPage* m_obh = nullptr;
    ObhZagPage* m_zag = nullptr;
    ObhMatPage* m_mat = nullptr;
    ObhKLPage* m_kl = nullptr;
};

void RegisterBypassSheet();
