// Typed text that goes into a task or catalog file.  The files keep their
// strings in CP1251, so a character outside it (×, ², an emoji) cannot be
// stored: the dialogs refuse such text at OK, naming the characters, and the
// field keeps the text so the user can mend it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The refusal for text whose characters the files cannot hold, or an empty
// string when every character can be stored.  field is the label the dialog
// shows beside the text ("Название", "Тип"):
//   "Поле «Название» содержит символ «×» (U+00D7), который нельзя сохранить
//    в файле.\nЗамените или удалите его."
std::string UnstorableTextMessage(std::string_view text, std::string_view field);

// Shows that refusal (stop icon, the given caption) when text cannot be
// stored; true when it can.
bool CheckStoredText(std::string_view text, std::string_view field, const std::string& caption);

// After a file was written: its texts that came from elsewhere (a catalog
// path, an imported name) and held characters the file cannot, so that they
// stand there with '?' in their place; empty when there were none.
//   "Файл <path> сохранен, но в его кодировке нет некоторых символов: они
//    записаны знаком «?».
//    «Опора²»: «²» (U+00B2)"
std::string AlteredTextsMessage(const std::string& path, const std::vector<std::string>& texts);

// Shows that message (exclamation) when there is something to tell.
void ReportAlteredTexts(const std::string& path, const std::vector<std::string>& texts);
