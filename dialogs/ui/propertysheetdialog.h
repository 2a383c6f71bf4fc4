// The window of a property sheet: the pages' widgets under tabs, "OK" and
// "Отменить" (no "Применить").  A tab change asks the sheet model; when the
// current page refuses to be left the tab goes back to it.  OK closes only
// when the model's OK passes.
#pragma once

#include "dialogs/propertysheet.h"

#include <QDialog>
#include <functional>
#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

class PropertySheetDialog : public QDialog {
    Q_OBJECT
public:
    explicit PropertySheetDialog(PropertySheetModel& model, const QString& caption, QWidget* parent = nullptr);

    // Adds the widget of model page index (pages added in the model's order).
    // show is called each time the page becomes current (refresh from the
    // page model); read before the page is left (widgets into the page model).
    void AddPage(QWidget* page, std::function<void()> show, std::function<void()> read);
    // Shows the model's start page; call once all pages are added.
    void Start(int page = 0);

    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

public slots:
    void accept() override;

private:
    void OnTabChanged(int index);

    struct PageHooks {
        std::function<void()> show;
        std::function<void()> read;
    };
    PropertySheetModel& m_model;
    QTabWidget* m_tabs;
    QDialogButtonBox* m_buttons;
    std::vector<PageHooks> m_hooks;
    int m_shown = -1;
};
