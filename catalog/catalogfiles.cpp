#include "catalog/catalogfiles.h"

#include "app/mainframe.h"
#include "model/base.h"
#include "platform/archive.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <filesystem>

std::string TaskCatalogPath(const std::string& basePath, const std::string& taskFile)
{
    const bool foreign = basePath.find('\\') != std::string::npos ||
                         (basePath.size() >= 2 && basePath[1] == ':');
    const std::filesystem::path base(basePath);
    if (basePath.empty() || foreign || base.is_absolute() || taskFile.empty())
        return basePath;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(taskFile, ec).parent_path();
    if (ec)
        return basePath;
    return (folder / base).lexically_normal().string();
}

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
