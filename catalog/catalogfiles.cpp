#include "catalog/catalogfiles.h"

#include "app/mainframe.h"
#include "model/base.h"
#include "platform/archive.h"
#include "platform/filestamp.h"
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
    // From the folder the task's file really lies in, and ".." resolved by
    // the system: reached through a link, the folder above is the real
    // folder's parent, not the one the link's name suggests.
    const std::filesystem::path folder = std::filesystem::path(RealPathOf(taskFile)).parent_path();
    return FullPathOf((folder / base).string());
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
