#include "dialogs/ui/klinedialog.h"

#include "dialogs/ui/cablelayoutpanel.h"
#include "dialogs/ui/modaldialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

KLineDialog::KLineDialog(CKLineDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QString::fromUtf8("Кабельная линия"));
    m_model.OnInitDialog();
    m_name = new QLineEdit(QString::fromStdString(m_model.m_strName));
    m_name->setReadOnly(!m_model.editing);
    CablePanelHooks hooks;
    hooks.cables = &m_model.cables;
    hooks.onLayout = [this](int layout) { m_model.OnLayout(layout); };
    hooks.radioEnabled = [this](int layout) {
        return layout == 1 ? m_model.pipeRadioEnabled : m_model.solidRadioEnabled;
    };
    hooks.onToggleView = [this] { return m_model.OnToggleView(); };
    hooks.drawingShown = [this] { return m_model.m_bDrawing != 0; };
    hooks.drawing = [this](const PixelRect& area) { return m_model.Drawing(area); };
    hooks.chain = m_model.chain;
    hooks.skipIndex = m_model.m_nElementIndex;
    hooks.otherBase = &m_model.m_OtherBase;
    hooks.otherPath = &m_model.m_strOtherBasePath;
    m_panel = new CableLayoutPanel(std::move(hooks), CableLayoutPanel::Selector::Number);

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8("Название"), m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    m_ok->setText(QString::fromUtf8("OK"));
    m_cancel->setText(QString::fromUtf8("Отменить"));
    m_cancel->setVisible(EditPolicy(m_model.editing).CancelShown());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_panel, 1);
    layout->addWidget(buttons);
    resize(520, 560);
    m_panel->Refresh();
}

void KLineDialog::accept()
{
    if (!m_model.editing) {
        reject();  // outside editing mode OK acts as Cancel
        return;
    }
    if (!m_panel->ReadControls())
        return;
    m_model.m_strName = m_name->text().toStdString();
    if (!m_model.OnOK()) {
        m_panel->Refresh();
        return;
    }
    QDialog::accept();
}

void RegisterCableLineDialog()
{
    ModalRunner<CKLineDlg>::Set([](CKLineDlg& model) {
        KLineDialog dialog(model, DialogParent());
        return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}
