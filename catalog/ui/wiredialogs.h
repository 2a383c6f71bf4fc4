// The Qt dialogs of the small item editors: phase and ground wire, the two
// power cables and the HF cable.
#pragma once

#include "catalog/kabdlg.h"
#include "catalog/provoddlg.h"
#include "catalog/vchkabdlg.h"
#include "catalog/ui/itemeditordialog.h"

#include <array>

class NumericEdit;
class QLineEdit;

class ProvodDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit ProvodDialog(CProvodDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    NumericEdit* DiameterEdit() const { return m_diameter; }

protected:
    int ReadAndCheck() override;

private:
    CProvodDlg& m_model;
    QLineEdit* m_name;
    NumericEdit* m_diameter;
    NumericEdit* m_twist;
    NumericEdit* m_resistivity;
};

class KabTvDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit KabTvDialog(CKabTvDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    NumericEdit* ValueEdit(int i) const { return m_values[std::size_t(i)]; }

protected:
    int ReadAndCheck() override;

private:
    CKabTvDlg& m_model;
    QLineEdit* m_name;
    std::array<NumericEdit*, CKabTvDlg::kFields> m_values{};
};

class KabTrDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit KabTrDialog(CKabTrDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    NumericEdit* DiameterEdit() const { return m_diameter; }

protected:
    int ReadAndCheck() override;

private:
    CKabTrDlg& m_model;
    QLineEdit* m_name;
    NumericEdit* m_diameter;
};

class VchKabDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit VchKabDialog(CVchKabDlg& model, QWidget* parent = nullptr);
    QLineEdit* NameEdit() const { return m_name; }
    NumericEdit* SpeedEdit() const { return m_speed; }

protected:
    int ReadAndCheck() override;

private:
    CVchKabDlg& m_model;
    QLineEdit* m_name;
    NumericEdit* m_attenuation;
    NumericEdit* m_speed;
    NumericEdit* m_impedance;
};
