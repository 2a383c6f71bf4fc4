// The window of the catalog editor (CBaseEditDlg) in both modes: the path,
// the catalog tree with its context menu, "Сохранить"/"Выбрать",
// "Отменить" and "Применить" (edit mode only).
#pragma once

#include <QDialog>

class CBaseEditDlg;
class CatalogTreeWidget;
class QMenu;
class QPushButton;

class BaseEditDialog : public QDialog {
    Q_OBJECT
public:
    BaseEditDialog(CBaseEditDlg& model, QWidget* parent = nullptr);

    CatalogTreeWidget* Tree() const { return m_tree; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* ApplyButton() const { return m_apply; }
    // The context menu of a node as it would open (built, not shown); the
    // caller owns it.
    QMenu* BuildMenu(int node);
    // Runs a menu or button command as the user's click does.
    void Command(int id);

public slots:
    void accept() override;

private:
    void ShowTree();
    void UpdateButtons();
    void OnContextMenu(const QPoint& pos);

    CBaseEditDlg& m_model;
    CatalogTreeWidget* m_tree;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_apply;
};
