// The buffer's result-choice dialog ("Выбор результатов") over the model
// CVibRezBufDlg: the quantity and its side, the tree of groups and curves,
// "Просмотр", "Возврат", "Удалить" and "Дополнить".
#pragma once

#include "results/ui/choicetree.h"
#include "results/vibrezbufdlg.h"

#include <QDialog>

#include <map>

class QTreeWidget;
class QTreeWidgetItem;

class VibRezBufDialog : public QDialog {
    Q_OBJECT
public:
    explicit VibRezBufDialog(CVibRezBufDlg& model, QWidget* parent = nullptr);

    QTreeWidget* Tree() const { return m_tree; }
    QWidget* Control(int id) const;
    // The tree item with the model's item data, or null.
    QTreeWidgetItem* Item(std::uint32_t itemData) const;

public slots:
    void accept() override;
    void reject() override;

private:
    void FillTree();
    void ShowModel();
    void ReadControls();
    void OnAdd();

    CVibRezBufDlg& m_model;
    ChoiceTree* m_tree;
    std::map<int, QWidget*> m_controls;
};
