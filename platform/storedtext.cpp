#include "platform/storedtext.h"

#include "platform/codepage.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace {

// "«²» (U+00B2), «³» (U+00B3)"
std::string NameChars(const std::u32string& chars)
{
    std::string named;
    for (char32_t cp : chars) {
        if (!named.empty())
            named += ", ";
        named += "«";
        AppendUtf8(named, cp);
        // The code point too: a blank or invisible character shows nothing between the quotes.
        named += StrFormat("» (U+%04X)", static_cast<unsigned>(cp));
    }
    return named;
}

} // namespace

std::string UnstorableTextMessage(std::string_view text, std::string_view field)
{
    const std::u32string chars = CharsOutsideCp1251(text);
    if (chars.empty())
        return {};
    const std::string named = NameChars(chars);
    const bool one = chars.size() == 1;
    std::string out = "Поле «";
    out += field;
    out += one ? "» содержит символ " : "» содержит символы ";
    out += named;
    out += one ? ", который нельзя сохранить в файле.\nЗамените или удалите его."
               : ", которые нельзя сохранить в файле.\nЗамените или удалите их.";
    return out;
}

bool CheckStoredText(std::string_view text, std::string_view field, const std::string& caption)
{
    const std::string refusal = UnstorableTextMessage(text, field);
    if (refusal.empty())
        return true;
    ShowMessage(refusal, caption, MsgIcon::Stop);
    return false;
}

std::string AlteredTextsMessage(const std::string& path, const std::vector<std::string>& texts)
{
    if (texts.empty())
        return {};
    // A list of every imported name could fill the screen: the first few.
    constexpr std::size_t kShown = 8;
    std::string out = "Файл " + path +
                      " сохранен, но в его кодировке нет некоторых символов: они записаны знаком «?».";
    for (std::size_t i = 0; i < texts.size() && i < kShown; ++i)
        out += "\n«" + texts[i] + "»: " + NameChars(CharsOutsideCp1251(texts[i]));
    if (texts.size() > kShown)
        out += StrFormat("\n... и еще %zu", texts.size() - kShown);
    return out;
}

void ReportAlteredTexts(const std::string& path, const std::vector<std::string>& texts)
{
    if (!texts.empty())
        ShowMessage(AlteredTextsMessage(path, texts), kAppName, MsgIcon::Exclamation);
}
