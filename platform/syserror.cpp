#include "platform/syserror.h"

#include <cerrno>

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
    case EBUSY:
    case ETXTBSY: return "файл занят";
    case EFBIG:
    case EOVERFLOW: return "файл слишком велик";
    case ENOMEM: return "недостаточно памяти";
    case ENXIO:
    case ENODEV: return "нет такого устройства или оно не подключено";
    case EEXIST: return "файл уже существует";
    case EXDEV: return "файл находится на другом диске";
    case ENOTEMPTY: return "папка не пуста";
    case EMLINK: return "слишком много ссылок на файл";
    case ESTALE: return "файл на сетевом диске больше недоступен";
    case EAGAIN: return "ресурс временно недоступен, повторите попытку";
    case EINTR: return "операция прервана";
    case EINVAL: return "недопустимая операция для этого файла";
    case ESPIPE: return "это канал или устройство, а не файл";
    case EPIPE: return "канал закрыт";
    case EBADF: return "файл не открыт";
    case ENOTSUP: return "операция не поддерживается";
    case ETIMEDOUT: return "время ожидания истекло";
    case ENOTCONN:
    case ECONNREFUSED:
    case EHOSTUNREACH:
    case ENETUNREACH: return "сетевой диск недоступен";
    default: return "системная ошибка с кодом " + std::to_string(err);
    }
}
