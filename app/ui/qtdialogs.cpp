#include "app/ui/qtdialogs.h"

#include "app/displayfont.h"
#include "app/ui/fonts.h"
#include "dialogs/ui/modaldialog.h"
#include "platform/filedialog.h"
#include "platform/messages.h"

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

// The question before an open dialog takes a file that does not exist.
std::string CreatePromptText(const std::string& path)
{
    return "Файл " + path + " не существует.\nСоздать его?";
}

// The file an open dialog's typed name stands for: a name without an
// extension gets the default one ("mycat" -> "mycat.kdb"), unless a file
// exists under the name as typed ("basek", the DOS-era catalog).
QString OpenedFile(const QString& typed, const std::string& defaultExtension)
{
    if (defaultExtension.empty() || QFileInfo::exists(typed) || !QFileInfo(typed).suffix().isEmpty())
        return typed;
    return typed + "." + QString::fromStdString(defaultExtension);
}

int RunFileDialog(FileDialog& model)
{
    QFileDialog dlg(DialogParent(), QString::fromStdString(model.m_strTitle));
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
    for (;;) {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return IDCANCEL;
        QString chosen = dlg.selectedFiles().front();
        if (model.m_bOpenFileDialog)
            chosen = OpenedFile(chosen, model.m_strDefExt);
        // The dialog gives names as text: one whose bytes it could not read
        // is refused here, for every road that asks for a file.
        std::string name = chosen.toStdString();
        if (!AcceptNameFromText(name, model.m_bOpenFileDialog ? FileUse::Open : FileUse::Save))
            continue;
        if (model.m_bOpenFileDialog && model.m_bCreatePrompt && !QFileInfo::exists(chosen) &&
            ShowMessage(CreatePromptText(name), model.m_strTitle, MsgIcon::Question, MsgButtons::YesNo) !=
                MsgAnswer::Yes)
            continue;
        model.m_strPathName = std::move(name);
        return IDOK;
    }
}

int RunFontDialog(FontDialogModel& model)
{
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, FontFromLogFont(model.font), DialogParent(),
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
