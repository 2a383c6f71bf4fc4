#include "catalog/catalogfiles.h"

#include "app/mainframe.h"
#include "model/base.h"
#include "platform/archive.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <filesystem>

bool LoadCatalogFile(CMainFrame* frame, CBase& base, std::string& path, const std::string& name)
{
    if (!frame)
        frame = g_pMainFrame;
    if (frame)
        return frame->LoadBase(base, path, name, true);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        ShowMessage("Файл " + name + " не найден\nБаза не загружена!", "Ошибка открытия файла",
                    MsgIcon::Exclamation);
        return false;
    }
    try {
        LoadBaseFile(path, base);
        return true;
    } catch (const ArchiveError&) {
        ShowMessage(StrFormat("Файл %s поврежден.\nБаза не загружена!", name.c_str()), "Ошибка открытия файла",
                    MsgIcon::Exclamation);
        return false;
    }
}
