#include "platform/storedtext.h"

#include "platform/codepage.h"
#include "platform/format.h"
#include "platform/messages.h"

std::string UnstorableTextMessage(std::string_view text, std::string_view field)
{
    const std::u32string chars = CharsOutsideCp1251(text);
    if (chars.empty())
        return {};
    std::string named;
    for (char32_t cp : chars) {
        if (!named.empty())
            named += ", ";
        named += "«";
        AppendUtf8(named, cp);
        // The code point too: a blank or invisible character shows nothing between the quotes.
        named += StrFormat("» (U+%04X)", static_cast<unsigned>(cp));
    }
    const bool one = chars.size() == 1;
    std::string out(field);
    out += one ? " содержит символ " : " содержит символы ";
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
