// The Qt dialogs of the small item editors: phase and ground wire, the two
// power cables and the HF cable.
#pragma once

#include "catalog/kabdlg.h"
#include "catalog/provoddlg.h"
#include "catalog/vchkabdlg.h"
#include "catalog/ui/itemeditordialog.h"

#include <array>

class QLineEdit;

class ProvodDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit ProvodDialog(CProvodDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* DiameterEdit() const { return m_diameter; }

protected:
    int ReadAndCheck() override;

private:
    CProvodDlg& m_model;
    QLineEdit* m_name;
    QLineEdit* m_diameter;
    QLineEdit* m_twist;
    QLineEdit* m_resistivity;
};

class KabTvDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit KabTvDialog(CKabTvDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* ValueEdit(int i) const { return m_values[std::size_t(i)]; }

protected:
    int ReadAndCheck() override;

private:
    CKabTvDlg& m_model;
    QLineEdit* m_name;
    std::array<QLineEdit*, CKabTvDlg::kFields> m_values{};
};

class KabTrDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit KabTrDialog(CKabTrDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* DiameterEdit() const { return m_diameter; }

protected:
    int ReadAndCheck() override;

private:
    CKabTrDlg& m_model;
    QLineEdit* m_name;
    QLineEdit* m_diameter;
};

class VchKabDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit VchKabDialog(CVchKabDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* SpeedEdit() const { return m_speed; }

protected:
    int ReadAndCheck() override;

private:
    CVchKabDlg& m_model;
    QLineEdit* m_name;
    QLineEdit* m_attenuation;
    QLineEdit* m_speed;
    QLineEdit* m_impedance;
};
