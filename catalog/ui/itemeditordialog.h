// The Qt side every catalog item editor shares: the OK and "Отменить"
// buttons set by the editor's mode, read-only edits when the editor only
// shows the item, and numeric edits that show "%g" and refuse a non-number.
#pragma once

#include "catalog/itemeditor.h"

#include <QDialog>

class NumericEdit;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

class ItemEditorDialog : public QDialog {
    Q_OBJECT
public:
    ItemEditorDialog(CItemEditor& editor, const std::string& caption, QWidget* parent);

    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

public slots:
    // Reads the controls and runs the editor's OK: closes with OK when the
    // item was written, like Cancel when the editor only shows it, and stays
    // open when a check failed.
    void accept() override;

protected:
    // The dialog's buttons; call after the controls are built.
    QDialogButtonBox* Buttons();
    // Makes every edit and spin box read-only when the editor only shows the item.
    void ApplyViewOnly();
    static NumericEdit* NumberEdit(float value);
    static QLineEdit* TextEdit(const std::string& text);
    // A row caption followed by its element's number set lower and smaller.
    static QWidget* IndexedCaption(const char* text, int number);
    // The control keeps its place when hidden, so the dialog does not jump
    // as the item's type shows and hides controls.
    template <class W>
    static W* Steady(W* w)
    {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        return w;
    }

    // Takes the controls into the model and runs its OK step (IDOK,
    // IDCANCEL or kStayOpen).
    virtual int ReadAndCheck() = 0;

private:
    CItemEditor& m_editor;
    QDialogButtonBox* m_buttons = nullptr;
};

QString FromUtf8(const std::string& text);
