#include "catalog/ui/itemeditordialog.h"

#include "dialogs/ui/numericedit.h"

#include <QAbstractSpinBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QString FromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

ItemEditorDialog::ItemEditorDialog(CItemEditor& editor, const std::string& caption, QWidget* parent)
    : QDialog(parent), m_editor(editor)
{
    setWindowTitle(FromUtf8(caption));
}

QDialogButtonBox* ItemEditorDialog::Buttons()
{
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    OkButton()->setText(FromUtf8(m_editor.OkCaption()));
    CancelButton()->setText(QString::fromUtf8("Отменить"));
    CancelButton()->setVisible(m_editor.CancelShown());
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return m_buttons;
}

QPushButton* ItemEditorDialog::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* ItemEditorDialog::CancelButton() const
{
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void ItemEditorDialog::ApplyViewOnly()
{
    if (!m_editor.IsViewOnly())
        return;
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setReadOnly(true);
    for (QAbstractSpinBox* spin : findChildren<QAbstractSpinBox*>()) {
        spin->setReadOnly(true);
        spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
}

NumericEdit* ItemEditorDialog::NumberEdit(float value)
{
    auto* edit = new NumericEdit;
    edit->SetValue(value);
    return edit;
}

QLineEdit* ItemEditorDialog::TextEdit(const std::string& text)
{
    return new QLineEdit(FromUtf8(text));
}

void ItemEditorDialog::accept()
{
    if (m_editor.IsViewOnly()) { // the item is only shown: OK closes like Cancel
        QDialog::reject();
        return;
    }
    const int answer = ReadAndCheck();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

QWidget* ItemEditorDialog::IndexedCaption(const char* text, int number)
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    row->addWidget(new QLabel(QString::fromUtf8(text)));
    auto* n = new QLabel(QString::number(number));
    QFont small = n->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    n->setFont(small);
    n->setAlignment(Qt::AlignBottom);
    row->addWidget(n);
    row->addStretch();
    return box;
}
