// The result-choice dialog ("Выбор результатов") over the model CVibRezDlg:
// the tree of the task's results, the view, table and quantity controls, and
// "Удалить", "Просмотр", "Возврат".  The model decides what is shown, enabled
// and checked; the dialog only writes the controls' values into it and shows.
#pragma once

#include "results/ui/choicetree.h"
#include "results/vibrezdlg.h"

#include <QDialog>

#include <map>

class QAbstractButton;
class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class VibRezDialog : public QDialog {
    Q_OBJECT
public:
    explicit VibRezDialog(CVibRezDlg& model, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_tree; }
    // The control of an id of the model (buttons, radios, checks, frames).
    QWidget* Control(int id) const;
    // The tree item of a result (CVibRezDlg::ModalItem / TractItem), or null.
    QTreeWidgetItem* Item(std::uint32_t itemData) const;

public slots:
    void accept() override;

private:
    void FillTree();
    void UpdateTexts();
    void ShowModel();
    void ReadControls();
    void OnItemClicked(QTreeWidgetItem* item);
    void OnDelete();

    CVibRezDlg& m_model;
    ChoiceTree* m_tree;
    QTreeWidgetItem* m_modalRoot = nullptr;
    QTreeWidgetItem* m_tractRoot = nullptr;
    std::map<int, QWidget*> m_controls;
};
