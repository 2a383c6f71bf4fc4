// The window of CBaseDopolnDlg: the supplementary catalog's tree and the
// tree of the items chosen for the supplement, each with its context menu.
#pragma once

#include <QDialog>

class CBaseDopolnDlg;
class CatalogTreeWidget;
class QMenu;

class BaseDopolnDialog : public QDialog {
    Q_OBJECT
public:
    BaseDopolnDialog(CBaseDopolnDlg& model, QWidget* parent = nullptr);

    CatalogTreeWidget* BaseTree() const { return m_base; }
    CatalogTreeWidget* SelectionTree() const { return m_selection; }
    // The menu of a tree (built, not shown); the caller owns it.
    QMenu* BuildMenu(bool baseTree);
    void Command(int id);

public slots:
    void accept() override;

private:
    void ShowTrees();
    void OnContextMenu(bool baseTree);

    CBaseDopolnDlg& m_model;
    CatalogTreeWidget* m_base;
    CatalogTreeWidget* m_selection;
};
