// The tree of the result-choice dialogs: a click on an item chooses it, and
// so does moving the current item with the keys, so that the highlighted
// item is always the one the dialog acts on ("Удалить" included).
#pragma once

#include <QTreeWidget>

class ChoiceTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit ChoiceTree(QWidget* parent = nullptr);

signals:
    // An item was clicked or reached with the keys.
    void Chosen(QTreeWidgetItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_byKey = false;
};
