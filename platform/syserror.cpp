#include "platform/syserror.h"

#include <cerrno>
#include <cstring>

std::string SystemErrorText(int err)
{
    switch (err) {
    case ENOENT: return "нет такого файла или папки";
    case EACCES:
    case EPERM: return "нет прав доступа";
    case ENOSPC: return "на диске нет места";
    case EDQUOT: return "превышена дисковая квота";
    case EROFS: return "диск доступен только для чтения";
    case ENAMETOOLONG: return "слишком длинное имя файла";
    case ELOOP: return "слишком много символических ссылок";
    case EISDIR: return "это папка, а не файл";
    case ENOTDIR: return "часть пути не является папкой";
    case EIO: return "ошибка ввода-вывода";
    case EMFILE:
    case ENFILE: return "открыто слишком много файлов";
    case EBUSY: return "файл занят";
    case ETXTBSY: return "файл занят";
    case EFBIG: return "файл слишком велик";
    default: return std::strerror(err);
    }
}
