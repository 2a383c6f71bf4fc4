#include "dialogs/ui/vlinesheetdialog.h"

#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/vlpage1widget.h"
#include "dialogs/ui/vlpage2widget.h"
#include "dialogs/ui/vlpage3widget.h"
#include "dialogs/vlinesheet.h"

#include <QPushButton>

VLineSheetDialog::VLineSheetDialog(CVLineSheet& sheet, QWidget* parent)
    : PropertySheetDialog(sheet, QString::fromUtf8(kVLineSheetCaption), parent), m_sheet(sheet)
{
    m_page1 = new VLPage1Widget(sheet.m_page1);
    m_page2 = new VLPage2Widget(sheet.m_page2);
    m_page3 = new VLPage3Widget(sheet.m_page3);
    AddPage(m_page1, [this] { m_page1->Show(); }, [this] { m_page1->Read(); });
    AddPage(m_page2, [this] { m_page2->Show(); }, [this] { m_page2->Read(); });
    AddPage(m_page3, [this] { m_page3->Show(); }, [this] { m_page3->Read(); });
    CancelButton()->setVisible(sheet.m_page1.m_policy.CancelShown());
    Start();
}

void VLineSheetDialog::accept()
{
    if (m_sheet.m_page1.m_policy.OkActsAsCancel()) {
        reject();
        return;
    }
    PropertySheetDialog::accept();
}

void RegisterVLineSheet()
{
    RegisterModalDialog<VLineSheetDialog, CVLineSheet>();
}
