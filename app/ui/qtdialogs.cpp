#include "app/ui/qtdialogs.h"

#include "app/displayfont.h"
#include "app/ui/fonts.h"
#include "platform/filedialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QStringList>

namespace {

QStringList NameFilters(const std::string& filter)
{
    QStringList out;
    for (const FileFilter& f : ParseFileFilter(filter)) {
        QString patterns;
        for (const std::string& p : f.patterns) {
            if (!patterns.isEmpty())
                patterns += ' ';
            patterns += QString::fromStdString(p);
        }
        QString desc = QString::fromStdString(f.description);
        // "Name (*.kdb)" already names its patterns; "Name (basek.)" does not.
        if (desc.endsWith("(" + patterns + ")"))
            out << desc;
        else
            out << desc + " (" + patterns + ")";
    }
    return out;
}

int RunFileDialog(FileDialog& model)
{
    QFileDialog dlg(QApplication::activeWindow(), QString::fromStdString(model.m_strTitle));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(model.m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dlg.setFileMode(model.m_bOpenFileDialog && model.m_bFileMustExist ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
    if (!model.m_bOpenFileDialog) {
        dlg.setDefaultSuffix(QString::fromStdString(model.m_strDefExt));
        if (!model.m_bOverwritePrompt)
            dlg.setOption(QFileDialog::DontConfirmOverwrite);
    }
    dlg.setNameFilters(NameFilters(model.m_strFilter));
    if (!model.m_strPathName.empty())
        dlg.selectFile(QString::fromStdString(model.m_strPathName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return IDCANCEL;
    QString chosen = dlg.selectedFiles().front();
    // An open dialog takes a typed name without extension as the file with the
    // default extension when only that one exists ("base" -> "base.kdb"); a
    // file that exists as typed ("basek") is taken as it is.
    if (model.m_bOpenFileDialog && !model.m_strDefExt.empty() && !QFileInfo::exists(chosen) &&
        QFileInfo(chosen).suffix().isEmpty()) {
        QString withExt = chosen + "." + QString::fromStdString(model.m_strDefExt);
        if (QFileInfo::exists(withExt))
            chosen = withExt;
    }
    model.m_strPathName = chosen.toStdString();
    return IDOK;
}

int RunFontDialog(FontDialogModel& model)
{
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, FontFromLogFont(model.font), QApplication::activeWindow(),
                                        QString::fromUtf8("Шрифт"));
    if (!ok)
        return IDCANCEL;
    model.font = LogFontFromFont(chosen, model.font);
    return IDOK;
}

} // namespace

void RegisterShellDialogs()
{
    ModalRunner<FileDialog>::Set(RunFileDialog);
    ModalRunner<FontDialogModel>::Set(RunFontDialog);
}
