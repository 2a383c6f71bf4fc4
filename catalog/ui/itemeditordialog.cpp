#include "catalog/ui/itemeditordialog.h"

#include "platform/messages.h"

#include <QAbstractSpinBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include <charconv>
#include <cmath>

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

QLineEdit* ItemEditorDialog::NumberEdit(float value)
{
    return new QLineEdit(FromUtf8(FormatG(value)));
}

QLineEdit* ItemEditorDialog::TextEdit(const std::string& text)
{
    return new QLineEdit(FromUtf8(text));
}

bool ItemEditorDialog::ReadNumber(QLineEdit* edit, float& value)
{
    std::string s = edit->text().trimmed().toStdString();
    for (char& c : s)
        if (c == ',')
            c = '.';
    float v = 0.0f;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size() || !std::isfinite(v)) {
        ShowMessage("Введите число.", kAppName, MsgIcon::Stop);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = v;
    return true;
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
