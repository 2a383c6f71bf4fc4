// The window of the overhead line sheet "Воздушная линия электропередачи":
// its three pages under tabs, OK and "Отменить".
#pragma once

#include "dialogs/ui/propertysheetdialog.h"

class CVLineSheet;
class VLPage1Widget;
class VLPage2Widget;
class VLPage3Widget;

class VLineSheetDialog : public PropertySheetDialog {
    Q_OBJECT
public:
    explicit VLineSheetDialog(CVLineSheet& sheet, QWidget* parent = nullptr);

    VLPage1Widget* Page1() const { return m_page1; }
    VLPage2Widget* Page2() const { return m_page2; }
    VLPage3Widget* Page3() const { return m_page3; }

public slots:
    // Outside editing mode OK closes as Cancel: nothing is checked or kept.
    void accept() override;

private:
    CVLineSheet& m_sheet;
    VLPage1Widget* m_page1;
    VLPage2Widget* m_page2;
    VLPage3Widget* m_page3;
};

// Shows CVLineSheet through this window.
void RegisterVLineSheet();
