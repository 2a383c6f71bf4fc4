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

#include <optional>

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

// The file dialog that gives up a name the program would refuse (its text
// holds U+FFFD in place of bytes it could not read) before Qt's own question
// whether to replace an existing file: the user is asked to replace only a
// file that is then saved.  The dialog ends with kNameRefused instead, and
// RunFileDialog says why and shows it again.
class NameCheckingFileDialog : public QFileDialog {
public:
    static constexpr int kNameRefused = 2;
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && NameHoldsLostBytes(files.front().toStdString())) {
            m_refused = files.front().toStdString();
            done(kNameRefused);
            return;
        }
        QFileDialog::accept();
    }
    const std::string& Refused() const { return m_refused; }

private:
    std::string m_refused;
};

// The proposed file as text, or nothing for a name text cannot stand for
// (bytes that are not UTF-8): the dialog then proposes its folder alone, or
// nothing, rather than a name the program would refuse.
void Propose(QFileDialog& dlg, const std::string& path)
{
    auto asText = [](const std::string& s) -> std::optional<QString> {
        const QString text = QString::fromStdString(s);
        if (text.toStdString() != s || NameHoldsLostBytes(s))
            return std::nullopt;
        return text;
    };
    if (const std::optional<QString> whole = asText(path)) {
        dlg.selectFile(*whole);
        return;
    }
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos)
        if (const std::optional<QString> folder = asText(path.substr(0, slash == 0 ? 1 : slash)))
            dlg.setDirectory(*folder);
}

int RunFileDialog(FileDialog& model)
{
    NameCheckingFileDialog dlg(DialogParent(), QString::fromStdString(model.m_strTitle));
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
        Propose(dlg, model.m_strPathName);
    const FileUse use = model.m_bOpenFileDialog ? FileUse::Open : FileUse::Save;
    for (;;) {
        const int answer = dlg.exec();
        if (answer == NameCheckingFileDialog::kNameRefused) {
            AcceptNameFromText(dlg.Refused(), use);
            continue;
        }
        if (answer != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return IDCANCEL;
        QString chosen = dlg.selectedFiles().front();
        if (model.m_bOpenFileDialog)
            chosen = OpenedFile(chosen, model.m_strDefExt);
        // The dialog gives names as text: one whose bytes it could not read
        // is refused here, for every road that asks for a file.
        std::string name = chosen.toStdString();
        if (!AcceptNameFromText(name, use))
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
