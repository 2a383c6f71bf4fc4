#include "platform/filedialog.h"

#include "platform/format.h"
#include "platform/messages.h"

std::string FileDialog::GetFileName() const
{
    return FileNameOfPath(m_strPathName);
}

std::vector<FileFilter> ParseFileFilter(std::string_view filter)
{
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= filter.size()) {
        std::size_t bar = filter.find('|', pos);
        if (bar == std::string_view::npos)
            bar = filter.size();
        parts.emplace_back(filter.substr(pos, bar - pos));
        pos = bar + 1;
    }
    std::vector<FileFilter> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break; // the "||" that ends the list
        FileFilter f;
        f.description = parts[i];
        std::string_view pats = parts[i + 1];
        std::size_t p = 0;
        while (p <= pats.size()) {
            std::size_t semi = pats.find(';', p);
            if (semi == std::string_view::npos)
                semi = pats.size();
            if (semi > p)
                f.patterns.emplace_back(pats.substr(p, semi - p));
            p = semi + 1;
        }
        out.push_back(std::move(f));
    }
    return out;
}

std::string FileNameOfPath(std::string_view path)
{
    std::size_t cut = path.find_last_of("/\\");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

bool NameHoldsLostBytes(std::string_view path)
{
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
    return path.find(kReplacement) != std::string_view::npos;
}

bool AcceptNameFromText(const std::string& path, FileUse use)
{
    if (!NameHoldsLostBytes(path))
        return true;
    const bool open = use == FileUse::Open;
    ShowMessage(StrFormat("Невозможно %s файл %s.\nВ имени файла или его папки есть символы, которые программа не "
                          "может прочитать. %s",
                          open ? "открыть" : "сохранить", path.c_str(),
                          open ? "Переименуйте файл или папку." : "Выберите другое имя или другую папку."));
    return false;
}
