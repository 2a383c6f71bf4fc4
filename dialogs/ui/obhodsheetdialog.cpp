#include "dialogs/ui/obhodsheetdialog.h"

#include "dialogs/editpolicy.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/obhklpage.h"
#include "dialogs/ui/obhmatpage.h"
#include "dialogs/ui/obhobhpage.h"
#include "dialogs/ui/obhvibpage.h"
#include "dialogs/ui/obhzagpage.h"
#include "dialogs/ui/uitext.h"

#include <QApplication>
#include <QPushButton>

ObhodSheetDialog::ObhodSheetDialog(CObhodSheet& sheet, QWidget* parent)
    : PropertySheetDialog(sheet, U(sheet.caption), parent)
{
    setObjectName("ObhodSheetDialog");
    for (int i = 0; i < sheet.PageCount(); ++i) {
        PropertyPageModel* page = &sheet.Page(i);
        if (page == &sheet.m_vib) {
            m_vib = new ObhVibPage(sheet.m_vib);
            m_vib->AddTo(*this);
        } else if (page == &sheet.m_obh) {
            m_obh = new ObhObhPage(sheet.m_obh);
            m_obh->AddTo(*this);
        } else if (page == &sheet.m_zag) {
            m_zag = new ObhZagPage(sheet.m_zag);
            m_zag->AddTo(*this);
        } else if (page == &sheet.m_mat) {
            m_mat = new ObhMatPage(sheet.m_mat);
            m_mat->AddTo(*this);
        } else if (page == &sheet.m_kl) {
            m_kl = new ObhKLPage(sheet.m_kl);
            m_kl->AddTo(*this);
        }
    }
    CancelButton()->setVisible(EditPolicy(sheet.editing).CancelShown());
    Start();
}

void RegisterBypassSheet()
{
    ModalRunner<CObhodSheet>::Set([](CObhodSheet& sheet) {
        ObhodSheetDialog dlg(sheet, DialogParent());
        return dlg.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}
